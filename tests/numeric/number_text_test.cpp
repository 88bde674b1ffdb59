// A box text reads as its longest leading decimal number (0 when it has none, +-inf when it
// overflows); fixed text keeps exactly the asked decimals, general text up to 15 significant
// digits without trailing zeros, and neither ever shows "-0" or a decimal comma.
#include "numeric/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace steam::numeric {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ReadNumberTest, TakesTheLongestLeadingDecimalNumber) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"200", 200},
        {"3.5", 3.5},
        {"  3.5", 3.5},
        {"\t 7", 7},
        {"-2.25", -2.25},
        {"+4", 4},
        {".5", 0.5},
        {"5.", 5},
        {"-.5", -0.5},
        {"1e3", 1000},
        {"1E-3", 0.001},
        {"2.5e+2", 250},
        {"12.5abc", 12.5},
        {"1.2.3", 1.2},
        {"1e", 1},
        {"1e+", 1},
        {"3.5 MPa", 3.5},
        {"1,5", 1},
        {"0x10", 0},
        {"007", 7},
        {"0.00110021", 0.00110021},
        {"1e-05", 1e-05},
        {"100.123", 100.123},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
        EXPECT_DOUBLE_EQ(readNumber(c.text), c.expected);
    }
}

// A Chinese input method types full-width digits, signs and full stops, and the ideographic
// full stop for a decimal point; all read as their plain forms.
TEST(ReadNumberTest, FullWidthFormsReadAsPlainOnes) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"２００", 200},    {"３．５", 3.5},          {"３。５", 3.5}, {"－２．２５", -2.25}, {"＋４", 4},
        {"\u3000１２", 12}, {"０．００１１", 0.0011}, {"１２ab", 12},  {"２0０.５", 200.5},   {"１e３", 1000},
        {"。５", 0.5},      {"２００\u3000MPa", 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
        EXPECT_DOUBLE_EQ(readNumber(c.text), c.expected);
    }
    for (const char* text : {"二百", "＄２", "２\xEF\xBC"}) {
        SCOPED_TRACE(testing::Message() << "text \"" << text << "\"");
        EXPECT_EQ(readNumber(text), std::string(text) == "２\xEF\xBC" ? 2.0 : 0.0);
    }
}

TEST(ReadNumberTest, TextWithoutALeadingNumberReadsAsZero) {
    const char* cases[] = {"", "   ", "none", "(none)", "abc", "-", "+", ".", "-.", "e5", "- 5", "nan", "inf"};
    for (const char* text : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << text << "\"");
        EXPECT_EQ(readNumber(text), 0.0);
    }
}

TEST(ReadNumberTest, OverflowReadsAsInfinityAndUnderflowAsZero) {
    EXPECT_EQ(readNumber("1e999"), kInf);
    EXPECT_EQ(readNumber("-1e999"), -kInf);
    EXPECT_EQ(readNumber("123456e400"), kInf);
    EXPECT_EQ(readNumber("1e-999"), 0.0);
    EXPECT_EQ(readNumber("0.0000001e-400"), 0.0);
    EXPECT_EQ(readNumber("1e300"), 1e300);
}

TEST(FixedTextTest, WritesExactlyTheGivenDecimals) {
    struct Case {
        double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {200, 2, "200.00"},
        {3.5, 6, "3.500000"},
        {0.0011, 8, "0.00110000"},
        {0.5, 4, "0.5000"},
        {-2.5, 2, "-2.50"},
        {-0.25, 4, "-0.2500"},
        {853.060384518006, 2, "853.06"},
        {2.32745118086299, 4, "2.3275"},
        {9.999, 2, "10.00"},
        {999.996, 2, "1000.00"},
        {-9.9999, 3, "-10.000"},
        {1e20, 2, "100000000000000000000.00"},
        {1234.5678, 0, "1235"},
        {0, 2, "0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "fixedText(" << c.value << ", " << c.decimals << ")");
        EXPECT_EQ(fixedText(c.value, c.decimals), c.expected);
    }
}

TEST(FixedTextTest, ExactTiesRoundAwayFromZeroAndNearTiesFollowTheStoredValue) {
    struct Case {
        double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {0.125, 2, "0.13"},  // exactly representable tie
        {-0.125, 2, "-0.13"}, {2.5, 0, "3"},      {-2.5, 0, "-3"},
        {0.375, 2, "0.38"},   {2.675, 2, "2.67"},  // stored as 2.67499999...
        {1.005, 2, "1.00"},                        // stored as 1.00499999...
        {0.115, 2, "0.12"},                        // stored as 0.11500000000000000499...
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "fixedText(" << c.value << ", " << c.decimals << ")");
        EXPECT_EQ(fixedText(c.value, c.decimals), c.expected);
    }
}

TEST(FixedTextTest, ValueThatShowsAsZeroHasNoMinusSign) {
    const double cases[] = {-0.0, -0.001, -0.004999, -4.18108579758325e-14};
    for (double v : cases) {
        SCOPED_TRACE(testing::Message() << "value " << v);
        EXPECT_EQ(fixedText(v, 2), "0.00");
    }
    EXPECT_EQ(fixedText(-0.005, 2), "-0.01");  // stored as -0.005000000000000000104...
}

TEST(FixedTextTest, ReadsBackWithinHalfAUnitOfTheLastDecimal) {
    const double values[] = {0.00104346, 1.67177, 2675.5671, 7.35410001, -3.2e-5, 22.064, 1e-9, 419.165};
    for (double v : values) {
        for (int d : {2, 4, 5, 6, 8}) {
            SCOPED_TRACE(testing::Message() << "value " << v << ", decimals " << d);
            const std::string text = fixedText(v, d);
            EXPECT_EQ(text.size() - text.find('.') - 1, static_cast<size_t>(d));
            EXPECT_LE(std::fabs(readNumber(text) - v), 0.5 * std::pow(10.0, -d) * (1 + 1e-9));
        }
    }
}

TEST(GeneralTextTest, WritesUpToFifteenSignificantDigitsWithoutTrailingZeros) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {100, "100"},
        {0.5, "0.5"},
        {200, "200"},
        {3.5, "3.5"},
        {-2.5, "-2.5"},
        {0.00100021, "0.00100021"},
        {0.101418, "0.101418"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789.123456789, "123456789.123457"},
        {373.95, "373.95"},
        {0, "0"},
        {-0.0, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "generalText(" << c.value << ")");
        EXPECT_EQ(generalText(c.value), c.expected);
    }
}

TEST(GeneralTextTest, ReadsBackAsTheValueRoundedToFifteenDigits) {
    const double values[] = {1e-05, 1.5e-12, 2.5e300, -7.77e-7, 0.1 + 0.2, 1e15, 123456789012345678.0, 1.0 / 7.0};
    for (double v : values) {
        SCOPED_TRACE(testing::Message() << "value " << v);
        const std::string text = generalText(v);
        EXPECT_EQ(text.find(','), std::string::npos);
        EXPECT_NEAR(readNumber(text), v, std::fabs(v) * 5e-15);
    }
}

}  // namespace
}  // namespace steam::numeric
