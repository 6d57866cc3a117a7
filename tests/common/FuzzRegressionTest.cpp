#include <gtest/gtest.h>

#include <cstring>

#include "common/NumberText.h"

// Inputs found by fuzz_number_text, as found.

TEST(FuzzRegression, TheLargestDoublesWriteAsNumbersThatReadBack) {
    // The input's first eight bytes are the double -1.7976931348623157e308: in 15
    // digits it rounded to -1.79769313486232E+308, which no double can hold.
    const unsigned char found[] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xef,
                                   0xff, 0xff, 0x20, 0x20, 0x20, 0x20, 0x20};
    double value;
    std::memcpy(&value, found, sizeof value);
    for (const double v : {value, -value}) {
        const QString text = FormatGeneral(v);
        EXPECT_EQ(text, v < 0 ? "-1.79769313486231E+308" : "1.79769313486231E+308");
        const std::optional<double> back = NumericValue(text);
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(*back / v, 1.0, 1e-14);
    }
}
