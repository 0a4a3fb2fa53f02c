#include "services/QelNet.h"

#include <gtest/gtest.h>

namespace {

// No test of the windows may reach the product's real site: unless a test
// says otherwise, every probe answers "unreachable" without probing.
class TNoNetwork : public ::testing::Environment {
public:
    void SetUp() override
    {
        qel::SetNetCheckHandler([](const QString&) { return false; });
    }
};
const auto* const kNoNetwork = ::testing::AddGlobalTestEnvironment(new TNoNetwork);

} // namespace
