#include "platform/core/file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/core/message_box.h"
#include "platform/core/path.h"
#include "tests/support/temp_dir.h"

namespace platform {
namespace {

using testing_support::TempDir;

TEST(File, WriteSeekTruncateRead) {
    TempDir dir;
    const std::string path = dir.file("a.bin");
    File f;
    ASSERT_TRUE(f.open(path, OpenMode::CreateWrite));
    ASSERT_TRUE(f.write(std::string("hello world")));
    ASSERT_TRUE(f.close());
    ASSERT_TRUE(f.open(path, OpenMode::ReadWrite));
    EXPECT_EQ(f.length(), 11);
    ASSERT_TRUE(f.seek(5));
    ASSERT_TRUE(f.truncate(5));
    char buf[16] = {};
    ASSERT_TRUE(f.seek(0));
    EXPECT_EQ(f.read(buf, sizeof buf), 5);
    EXPECT_FALSE(f.seek(0) && f.readExact(buf, 6));
    EXPECT_EQ(std::string(buf, 5), "hello");
}

TEST(File, FailuresAreReported) {
    TempDir dir;
    File f;
    EXPECT_FALSE(f.open(dir.file("missing"), OpenMode::ReadOnly));
    EXPECT_FALSE(isAccessDenied(f.lastError()));
    EXPECT_FALSE(f.open(dir.path(), OpenMode::ReadOnly));  // a folder is no file
    EXPECT_FALSE(f.write("x", 1));
    EXPECT_FALSE(copyFile(dir.file("missing"), dir.file("b"), true));
}

TEST(File, InjectedWriteFailureHitsTheNthCall) {
    TempDir dir;
    File f;
    ASSERT_TRUE(f.open(dir.file("x"), OpenMode::CreateWrite));
    injectWriteFailure(2);
    EXPECT_TRUE(f.write("a", 1));
    EXPECT_FALSE(f.write("b", 1));
    EXPECT_TRUE(f.write("c", 1));  // one failure only
    injectWriteFailure(0);
}

// The program "dies" after the 2nd call: that one succeeds, every later one
// fails until the hook is off; the recorder saw what reached the files.
TEST(File, CrashAfterTheNthCallAndTheRecorder) {
    TempDir dir;
    std::vector<FileEvent> events;
    recordFileEvents(&events);
    File f;
    ASSERT_TRUE(f.open(dir.file("x"), OpenMode::CreateNew));
    EXPECT_FALSE(File().open(dir.file("x"), OpenMode::CreateNew));  // the name exists
    injectCrashAfter(2);
    EXPECT_TRUE(f.write("ab", 2) && f.sync());
    EXPECT_FALSE(f.truncate(1) || f.write("c", 1) || removeFile(dir.file("x")));
    injectCrashAfter(0);
    EXPECT_TRUE(removeFile(dir.file("x")));
    recordFileEvents(nullptr);
    std::vector<FileEvent::Kind> kinds;
    for (const FileEvent& e : events) kinds.push_back(e.kind);
    EXPECT_EQ(kinds, (std::vector<FileEvent::Kind>{FileEvent::Create, FileEvent::Write,
                                                   FileEvent::Sync, FileEvent::Remove}));
    EXPECT_EQ(events[1].bytes, "ab");
}

TEST(File, FolderOperationsAndPatterns) {
    TempDir dir;
    const std::string sub = joinPath(dir.path(), "1");
    ASSERT_TRUE(createDir(sub));
    EXPECT_TRUE(dirExists(sub));
    for (const char* name : {"Benutzer.dat", "benutzer.LOG", "x.akt"}) {
        File f;
        ASSERT_TRUE(f.open(joinPath(sub, name), OpenMode::CreateWrite));
    }
    auto names = findFiles(sub, "benutzer.*");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Benutzer.dat", "benutzer.LOG"}));
    EXPECT_EQ(findFiles(sub, "*.ak?"), std::vector<std::string>{"x.akt"});
    EXPECT_TRUE(copyFile(joinPath(sub, "x.akt"), joinPath(sub, "y.akt"), false));
    EXPECT_FALSE(copyFile(joinPath(sub, "x.akt"), joinPath(sub, "y.akt"), false));
    EXPECT_FALSE(removeDir(sub));  // not empty
    for (const auto& n : findFiles(sub, "*")) EXPECT_TRUE(deleteFile(joinPath(sub, n)));
    EXPECT_TRUE(renamePath(sub, joinPath(dir.path(), "2")));
    EXPECT_TRUE(removeDir(joinPath(dir.path(), "2")));
}

TEST(Path, JoinAcceptsBothSeparators) {
    EXPECT_EQ(joinPath("C:\\Prog\\", "Benutzer"), "C:/Prog/Benutzer");
    EXPECT_EQ(joinPath("/home/a", "/Benutzer.dat"), "/home/a/Benutzer.dat");
    EXPECT_EQ(joinPath("", "x"), "x");
    EXPECT_EQ(joinPath("/", "x"), "/x");
    EXPECT_EQ(joinPath("a", "b", "c"), "a/b/c");
}

// Paths are Windows-1252 inside the program and UTF-8 on the disk.
TEST(Path, LettersSurviveTheWayToTheDiskAndBack) {
    testing_support::TempDir dir;
    const std::string folder = joinPath(dir.path(), "Daten M\xFCller");  // Windows-1252
    ASSERT_TRUE(createDir(folder));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/Daten M\xC3\xBCller"));  // UTF-8
    EXPECT_TRUE(dirExists(folder));
    File f;
    ASSERT_TRUE(f.open(joinPath(folder, "Gr\xF6\xDF" "e \x80.dat"), OpenMode::CreateWrite));
    ASSERT_TRUE(f.write("x") && f.close());
    EXPECT_TRUE(copyFile(joinPath(folder, "Gr\xF6\xDF" "e \x80.dat"), joinPath(folder, "b.dat"), false));
    EXPECT_TRUE(renamePath(joinPath(folder, "b.dat"), joinPath(folder, "\xE4.dat")));
    // A name the program could not open again is not listed.
    std::ofstream(dir.path() + "/Daten M\xC3\xBCller/\xC5\x82.dat") << "y";
    std::ofstream(dir.path() + "/Daten M\xC3\xBCller/\xFF.dat") << "z";  // not UTF-8
    std::vector<std::string> names = findFiles(folder, "*.dat");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Gr\xF6\xDF" "e \x80.dat", "\xE4.dat"}));
    const std::string old = currentDir();
    ASSERT_EQ(::chdir((dir.path() + "/Daten M\xC3\xBCller").c_str()), 0);
    EXPECT_EQ(currentDir(), folder);
    ASSERT_EQ(::chdir(osPath(old).c_str()), 0);
    for (const auto& [os, stored] : {std::pair<std::string, std::optional<std::string>>{"a/b", "a/b"},
                                     {"\xE2\x82\xAC", "\x80"},
                                     {"\xE6\x97\xA5", std::nullopt},
                                     {"\xC3", std::nullopt}})
        EXPECT_EQ(fromOsPath(os), stored) << os;
}

TEST(MessageBoxService, ScriptedAnswersAndRecords) {
    ScriptedMessages script;
    script.answer(Answer::No);
    EXPECT_EQ(MessageBox("Frage?", "Achtung", Buttons::YesNo), Answer::No);
    EXPECT_EQ(MessageBox("Noch eine?", "Achtung", Buttons::YesNo), Answer::Yes);
    ASSERT_EQ(script.count(), 2u);
    EXPECT_EQ(script.shown()[0].text, "Frage?");
    EXPECT_EQ(script.last().caption, "Achtung");
}

}  // namespace
}  // namespace platform
