#include <gtest/gtest.h>

#include "common/Module.h"

namespace {

// The program's modules are found beside the program, entry point by entry
// point; a missing module or entry point says why.
TEST(Module, EntryPointsOrTheReasonTheyAreMissing) {
    const struct {
        const char *module, *symbol;
        bool found;
    } cases[] = {
        {"zem-print", "zemPrintWithDialog", true},
        {"zem-chart", "zemMakeBalanceChart", true},
        {"zem-print", "zemNoSuchEntry", false},
        {"zem-no-such-module", "zemPrintWithDialog", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.module) + " " + c.symbol);
        QString error;
        EXPECT_EQ(ModuleSymbol(c.module, c.symbol, &error) != nullptr, c.found);
        EXPECT_EQ(error.isEmpty(), c.found) << error.toStdString();
    }
}

}  // namespace
