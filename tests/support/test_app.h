// The QApplication every widget test needs, made once per test program.
#pragma once

#include <QApplication>

namespace vgr47::testing {

inline void EnsureTestApp() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    if (!qApp) new QApplication(argc, argv);
}

}  // namespace vgr47::testing
