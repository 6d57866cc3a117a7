#include <gtest/gtest.h>

#include "common/Module.h"

// The program's modules are found beside the program, entry point by entry
// point; a missing module or entry point says why.
TEST(Module, EntryPointsOrTheReasonTheyAreMissing) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"zem-print", "zemPrintWithDialog", true},
        {"zem-chart", "zemMakeBalanceChart", true},
        {"zem-print", "zemNoSuchEntry", false},
        {"zem-no-such-module", "zemPrintWithDialog", false},
    };
    for (const auto& [module, symbol, found] : cases) {
        SCOPED_TRACE(std::string(module) + " " + symbol);
        QString error;
        EXPECT_EQ(ModuleSymbol(module, symbol, &error) != nullptr, found);
        EXPECT_EQ(error.isEmpty(), found) << error.toStdString();
    }
}
