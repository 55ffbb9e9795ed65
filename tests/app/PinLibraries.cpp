#include <gtest/gtest.h>

#include "GlTestContext.h"

namespace {
// The start-up tests initialise GLUT (and so the GL driver) on their own.
class PinLibrariesAtEnd : public ::testing::Environment {
public:
    void TearDown() override { pinLoadedLibraries(); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new PinLibrariesAtEnd);
}  // namespace
