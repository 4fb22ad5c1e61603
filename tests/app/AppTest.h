// Registration of the application's QTest classes (see AppTestMain.cpp).
#pragma once
#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace tk3dtest {

using TTestFactory = std::function<QObject*()>;
std::map<std::string, TTestFactory>& TestClasses();
bool RegisterTestClass(const char* name, TTestFactory factory);

}  // namespace tk3dtest

#define TK3D_APP_TEST(Class) \
    static const bool registered_##Class = tk3dtest::RegisterTestClass(#Class, [] { return new Class; });
