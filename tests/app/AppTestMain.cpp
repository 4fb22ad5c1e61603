// Runs one QTest class of the application tests, chosen by name:
//   tk3d_app_tests ExtEditTest [QTest options]
// Without a name every class runs.
#include <QApplication>
#include <QTest>
#include <cstring>
#include <iostream>

#include "AppTest.h"
#include "SurfaceFormat.h"

namespace tk3dtest {

std::map<std::string, TTestFactory>& TestClasses() {
    static std::map<std::string, TTestFactory> classes;
    return classes;
}

bool RegisterTestClass(const char* name, TTestFactory factory) {
    TestClasses()[name] = std::move(factory);
    return true;
}

}  // namespace tk3dtest

int main(int argc, char** argv) {
    // The view draws with the fixed-function pipeline.
    QSurfaceFormat::setDefaultFormat(tk3d::ViewSurfaceFormat());
    QApplication app(argc, argv);
    auto& classes = tk3dtest::TestClasses();
    std::vector<std::string> chosen;
    int first = 1;
    if (argc > 1 && argv[1][0] != '-') {
        if (!classes.count(argv[1])) {
            std::cerr << "no test class " << argv[1] << "\n";
            return 2;
        }
        chosen.push_back(argv[1]);
        first = 2;
    } else {
        for (auto& [name, factory] : classes) chosen.push_back(name);
    }
    QStringList args{QString::fromLocal8Bit(argv[0])};
    for (int i = first; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    int failures = 0;
    for (const std::string& name : chosen) {
        std::unique_ptr<QObject> test(classes[name]());
        failures += QTest::qExec(test.get(), args);
    }
    return failures == 0 ? 0 : 1;
}
