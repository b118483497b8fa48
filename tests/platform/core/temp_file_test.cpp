#include "platform/core/temp_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <random>

#include "platform/core/path.h"
#include "platform/core/replace_file.h"
#include "tests/support/temp_dir.h"

namespace platform {
namespace {

using testing_support::hasTempFiles;
using testing_support::TempDir;

std::string get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}
void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
bool isLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}
mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Both ways of replacing a file, writing `bytes` over `target`.
using Replace = bool (*)(const std::string& target, const std::string& bytes,
                         const std::string& scratch);
const struct {
    const char* name;
    Replace replace;
} kWays[] = {
    {"replaceFile", [](const std::string& t, const std::string& b,
                       const std::string&) { return replaceFile(t, b); }},
    {"copyFileReplacing",
     [](const std::string& t, const std::string& b, const std::string& scratch) {
         put(scratch, b);
         return copyFileReplacing(scratch, t);
     }},
};

// A link planted under the name a temporary file used to take, or under any
// existing name, is never written through: the file outside stays as it was.
TEST(TempFile, APlantedLinkIsNeverFollowed) {
    for (const auto& way : kWays) {
        SCOPED_TRACE(way.name);
        TempDir dir, outside;
        const std::string victim = outside.file("victim");
        put(victim, "keep");
        const std::string target = dir.file("Kronlauf.ini");
        ASSERT_EQ(::symlink(victim.c_str(), (target + ".tmp").c_str()), 0);
        ASSERT_TRUE(way.replace(target, "new", outside.file("src")));
        EXPECT_EQ(get(target) + get(victim), "newkeep");
        EXPECT_FALSE(isLink(target));
        EXPECT_FALSE(hasTempFiles(dir.path()));
    }
    // The creation itself refuses a link and an existing file.
    TempDir dir;
    put(dir.file("plain"), "x");
    ASSERT_EQ(::symlink(dir.file("plain").c_str(), dir.file("link").c_str()), 0);
    File f;
    EXPECT_FALSE(f.open(dir.file("link"), OpenMode::CreateNew));
    EXPECT_FALSE(f.open(dir.file("plain"), OpenMode::CreateNew));
    EXPECT_EQ(get(dir.file("plain")), "x");
}

// A target that is a link (absolute, relative, a chain of two) keeps being a
// link: the shared file behind it gets the new bytes and keeps its mode.
TEST(TempFile, ALinkToASharedFileStaysShared) {
    for (const auto& way : kWays) {
        for (const int form : {0, 1, 2}) {
            SCOPED_TRACE(std::string(way.name) + " form " + std::to_string(form));
            TempDir local, shared;
            const std::string real = shared.file("Benutzer.dat");
            put(real, "old");
            ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
            const std::string target = local.file("Benutzer.dat");
            const std::string to =
                form == 1 ? "../" + joinPath(shared.path().substr(shared.path().rfind('/') + 1),
                                             "Benutzer.dat")
                          : real;
            if (form == 2) {
                ASSERT_EQ(::symlink(real.c_str(), local.file("middle").c_str()), 0);
                ASSERT_EQ(::symlink("middle", target.c_str()), 0);
            } else {
                ASSERT_EQ(::symlink(to.c_str(), target.c_str()), 0);
            }
            std::string resolved;
            ASSERT_TRUE(realTargetPath(target, resolved));
            EXPECT_EQ(get(resolved), "old");
            ASSERT_TRUE(way.replace(target, "new", local.file("src")));
            EXPECT_TRUE(isLink(target));
            EXPECT_EQ(get(real), "new");
            EXPECT_EQ(modeOf(real), 0640u);
            EXPECT_FALSE(hasTempFiles(local.path()) || hasTempFiles(shared.path()));
        }
    }
    TempDir dir;  // a loop of links is an error, not a replacement
    ASSERT_EQ(::symlink("b", dir.file("a").c_str()), 0);
    ASSERT_EQ(::symlink("a", dir.file("b").c_str()), 0);
    EXPECT_FALSE(replaceFile(dir.file("a"), "x"));
    EXPECT_TRUE(isLink(dir.file("a")));
}

// Copies of every size arrive whole; a copy failing at any write-like step
// leaves the old target and no temporary file. A file the kernel cannot
// copy by itself (proc reports no length) is read and written.
TEST(TempFile, CopiesAreWholeOrNothing) {
    TempDir dir;
    std::mt19937 rng(5);
    for (const size_t size : {size_t{0}, size_t{1}, size_t{65539}, size_t{3} << 20}) {
        SCOPED_TRACE(size);
        std::string bytes(size, '\0');
        for (char& c : bytes) c = static_cast<char>(rng());
        put(dir.file("from"), bytes);
        put(dir.file("to"), "old");
        resetWriteCallCount();
        ASSERT_TRUE(copyFileReplacing(dir.file("from"), dir.file("to")));
        EXPECT_TRUE(get(dir.file("to")) == bytes);
        const int calls = writeCallCount();
        put(dir.file("to"), "old");
        for (int k = 1; k < calls; ++k) {  // the last call syncs the folder after the rename
            injectWriteFailure(k);
            EXPECT_FALSE(copyFileReplacing(dir.file("from"), dir.file("to"))) << k;
            injectWriteFailure(0);
            EXPECT_EQ(get(dir.file("to")), "old") << k;
            EXPECT_FALSE(hasTempFiles(dir.path())) << k;
        }
    }
    ASSERT_TRUE(copyFileReplacing("/proc/version", dir.file("to")));
    EXPECT_EQ(get(dir.file("to")), get("/proc/version"));
    EXPECT_NE(get(dir.file("to")), "");
}

}  // namespace
}  // namespace platform
