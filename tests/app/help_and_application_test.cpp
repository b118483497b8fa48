// The help service's page lookup and the one catch site for exceptions that
// escape an event handler.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <QCoreApplication>
#include <QLocale>

#include "app/application.h"
#include "app/help_service.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "tests/support/temp_dir.h"

namespace app {
namespace {

void touch(const std::filesystem::path& p) { std::ofstream(p) << "<html></html>"; }

TEST(HelpService, FindsTheTopicBesideTheHelpFileIgnoringCase) {
    testing_support::TempDir dir;
    const std::string helpFile = dir.file("Hilfe.hlp");
    EXPECT_EQ(helpPage(helpFile, 51), "");  // nothing installed

    std::filesystem::create_directory(dir.file("HILFE"));
    touch(dir.file("HILFE/Index.HTML"));
    touch(dir.file("HILFE/53.html"));
    EXPECT_EQ(helpPage(helpFile, 53), dir.file("HILFE/53.html"));
    EXPECT_EQ(helpPage(helpFile, 51), dir.file("HILFE/Index.HTML"));  // topic missing: contents
    EXPECT_EQ(helpPage(helpFile, 0), dir.file("HILFE/Index.HTML"));
}

TEST(HelpService, NoHelpInstalledSaysSo) {
    testing_support::TempDir dir;
    platform::ScriptedMessages boxes;
    showHelp(dir.file("Hilfe.hlp"), 99, nullptr);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().text, "Es ist keine Hilfe installiert.");
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
}

}  // namespace
}  // namespace app

namespace app {
namespace {

TEST(Application, StandardDialogsSpeakGerman) {
    ASSERT_TRUE(installGerman(*QCoreApplication::instance()));
    EXPECT_EQ(QLocale().language(), QLocale::German);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
}

}  // namespace
}  // namespace app
