// Running the PDF tools of poppler-utils and qpdf on a written file: exit
// code, standard output and standard error.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/core/file.h"

namespace report::testing {

struct Werkzeug {
    int code = -1;
    std::string aus;
    std::string fehler;
};

// Runs `command` (arguments already quoted) with its output in files of dir.
inline Werkzeug werkzeug(const std::string& command, const std::string& dir) {
    const std::string aus = dir + "/tool.out";
    const std::string fehler = dir + "/tool.err";
    Werkzeug w;
    const int status = std::system((command + " >'" + aus + "' 2>'" + fehler + "'").c_str());
    w.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    platform::readWholeFile(aus, w.aus);
    platform::readWholeFile(fehler, w.fehler);
    return w;
}

// The tools come with scripts/deps.sh (poppler-utils, qpdf).
inline bool werkzeugDa(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace report::testing
