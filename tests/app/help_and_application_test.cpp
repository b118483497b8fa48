// The help service's page lookup, German standard dialogs, and the one catch
// site for exceptions that escape an event handler.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "app/application.h"
#include "app/help_service.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "tests/support/temp_dir.h"

namespace app {
namespace {

TEST(HelpService, FindsTheTopicBesideTheHelpFileIgnoringCase) {
    testing_support::TempDir dir;
    platform::ScriptedMessages boxes;
    const std::string helpFile = dir.file("Hilfe.hlp");
    EXPECT_EQ(helpPage(helpFile, 51), "");  // nothing installed
    showHelp(helpFile, 99, nullptr);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().text, "Es ist keine Hilfe installiert.");
    std::filesystem::create_directory(dir.file("HILFE"));
    for (const char* page : {"HILFE/Index.HTML", "HILFE/53.html"}) std::ofstream(dir.file(page)) << "<html></html>";
    EXPECT_EQ(helpPage(helpFile, 53), dir.file("HILFE/53.html"));
    EXPECT_EQ(helpPage(helpFile, 51), dir.file("HILFE/Index.HTML"));  // topic missing: contents
}

TEST(Application, WhatEscapesAHandlerIsShownAndTheProgramGoesOn) {
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(deliverCatching([]() -> bool { throw std::runtime_error("kaputt"); }));
    EXPECT_FALSE(deliverCatching([]() -> bool { throw std::bad_alloc(); }));
    EXPECT_FALSE(deliverCatching([]() -> bool { throw 42; }));
    EXPECT_TRUE(deliverCatching([] { return true; }));
    ASSERT_EQ(boxes.count(), 3u);
    EXPECT_EQ(boxes.shown()[0].text, "kaputt");
    EXPECT_EQ(boxes.shown()[0].caption, "Kronlaufbuch");
    EXPECT_EQ(boxes.shown()[1].text, platform::cp1252("Nicht genügend Speicher vorhanden."));
    EXPECT_EQ(boxes.shown()[2].text, "Unbekannter Fehler im Programm.");
    ASSERT_TRUE(installGerman(*QCoreApplication::instance()));
    EXPECT_EQ(QLocale().language(), QLocale::German);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
}

}  // namespace
}  // namespace app
