#include "QtApplication.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

int argc = 1;
char name[] = "filectrl_tests";
char* argv[] = {name, nullptr};
std::unique_ptr<QApplication> application;

class QtEnvironment : public testing::Environment {
public:
    void TearDown() override { application.reset(); }
};

[[maybe_unused]] testing::Environment* const environment = testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

void EnsureApplication() {
    if (!QCoreApplication::instance()) application = std::make_unique<QApplication>(argc, argv);
}
