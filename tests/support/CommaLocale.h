// A locale whose decimal separator is a comma, installed for the duration of a
// test when the system can build one (glibc's localedef from a package).
#pragma once

#include "support/TempDir.h"

#include <clocale>
#include <cstdlib>
#include <string>

class CommaLocale {
public:
    CommaLocale() {
        const std::string command =
            "localedef -i de_DE -f UTF-8 " + (dir_.path() / "de_DE.UTF-8").string() + " >/dev/null 2>&1";
        if (std::system(command.c_str()) > 1) // localedef exits 1 for mere warnings
            return;
        setenv("LOCPATH", dir_.path().c_str(), 1);
        installed_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
        unsetenv("LOCPATH");
    }
    bool installed() const { return installed_; }

private:
    TempDir dir_;
    bool installed_ = false;
};
