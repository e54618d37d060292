#include "i18n/Catalogue.h"

#include <gtest/gtest.h>

namespace {

/// The tools build their log entries and messages from the catalogue; the
/// tests compare them with the English texts.
class EnglishCatalogue : public ::testing::Environment
{
public:
    void SetUp() override { ASSERT_TRUE(Catalogue::current().load(QStringLiteral("EN"))); }
};

const auto *const kEnvironment = ::testing::AddGlobalTestEnvironment(new EnglishCatalogue);

} // namespace
