// Widgets need the application before any test fixture makes one.

#include <gtest/gtest.h>

#include "ui/Application.h"

namespace {
struct ApplicationEnvironment : testing::Environment {
    void SetUp() override { TApplication::Initialize(); }
    void TearDown() override { delete Application; }
};
const testing::Environment* const environment = testing::AddGlobalTestEnvironment(new ApplicationEnvironment);
}  // namespace
