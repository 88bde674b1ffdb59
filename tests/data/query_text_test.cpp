// A query text splits into its shape and its numbers: every numeric literal (with its sign
// after an operator) becomes '?', column names such as v1 or h11 stay, and a number written
// with numberText reads back as the same double.
#include "data/query_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace steam::data {
namespace {

struct ShapeCase {
    const char* name;
    std::string text;
    std::string shape;
    std::vector<double> numbers;
};

TEST(ParseQueryTest, EveryQueryShapeKeepsItsSpacingAndYieldsItsNumbers) {
    const ShapeCase cases[] = {
        {"Q1", "select * from SWATER", "select * from SWATER", {}},
        {"Q2", "select * from DengT where t<>0 ", "select * from DengT where t<>? ", {0}},
        {"Q3 min", "select min(ts)  from SWATER ", "select min(ts)  from SWATER ", {}},
        {"Q3 max", "select max(h11)  from SWATER ", "select max(h11)  from SWATER ", {}},
        {"Q4", "select min(ts) from SWATER where ts >=100.12 AND wf=1",
         "select min(ts) from SWATER where ts >=? AND wf=?", {100.12, 1}},
        {"Q5", "select max(v11) from SWATER where v11 <= 1.67177 AND wf=1",
         "select max(v11) from SWATER where v11 <= ? AND wf=?", {1.67177, 1}},
        {"Q6 upper", "select * from WATER where v =0.00115456 AND t=200",
         "select * from WATER where v =? AND t=?", {0.00115456, 200}},
        {"Q6 lower", "select * from  WATER where v =0.0011 AND t=200",
         "select * from  WATER where v =? AND t=?", {0.0011, 200}},
        {"Q7", "select * from  WATER where t= 200", "select * from  WATER where t= ?", {200}},
        {"Q8", "select * from WATER where p =3.5 AND t =200", "select * from WATER where p =? AND t =?", {3.5, 200}},
        {"Q9", "select *  from  VAPOR where h= 2803.5", "select *  from  VAPOR where h= ?", {2803.5}},
        {"Q10 min", "select min(t) from  WATER where t>=200.5", "select min(t) from  WATER where t>=?", {200.5}},
        {"Q10 max", "select max(p) from  VAPOR where p<=1e-05", "select max(p) from  VAPOR where p<=?", {1e-05}},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << ": \"" << c.text << "\"");
        const ParsedQuery parsed = parseQuery(c.text);
        EXPECT_EQ(parsed.shape, c.shape);
        EXPECT_EQ(parsed.numbers, c.numbers);
    }
}

TEST(ParseQueryTest, ColumnNamesWithDigitsAreNotNumbers) {
    const ShapeCase cases[] = {
        {"v1", "select min(v1) from SWATER where v1 >=0.001 AND wf=1",
         "select min(v1) from SWATER where v1 >=? AND wf=?", {0.001, 1}},
        {"h11", "select * from SWATER where h11 =2675.5 AND wf=1", "select * from SWATER where h11 =? AND wf=?",
         {2675.5, 1}},
        {"s11 and s1", "select * from SWATER where s11=7.35 AND s1=1.3", "select * from SWATER where s11=? AND s1=?",
         {7.35, 1.3}},
        {"name ends in e", "select * from table1e5 where x=1e5", "select * from table1e5 where x=?", {1e5}},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << ": \"" << c.text << "\"");
        const ParsedQuery parsed = parseQuery(c.text);
        EXPECT_EQ(parsed.shape, c.shape);
        EXPECT_EQ(parsed.numbers, c.numbers);
    }
}

TEST(ParseQueryTest, SignsAndExponentsBelongToTheLiteral) {
    struct Case {
        std::string literal;
        double value;
    };
    const Case cases[] = {
        {"-5", -5},          {"-0.25", -0.25},    {"+3", 3},          {".5", 0.5},       {"5.", 5},
        {"1e-05", 1e-05},    {"2.5E+3", 2500},    {"-1.5e-3", -0.0015}, {"0", 0},        {"-100", -100},
        {"6.11654771007897e-4", 6.11654771007897e-4},
    };
    for (const char* op : {"=", " =", "= ", ">=", " <= ", "<="}) {
        for (const Case& c : cases) {
            const std::string text = std::string("select * from WATER where p") + op + c.literal + " AND t=1";
            SCOPED_TRACE(testing::Message() << "\"" << text << "\"");
            const ParsedQuery parsed = parseQuery(text);
            EXPECT_EQ(parsed.shape, std::string("select * from WATER where p") + op + "? AND t=?");
            ASSERT_EQ(parsed.numbers.size(), 2u);
            EXPECT_EQ(parsed.numbers[0], c.value);
            EXPECT_EQ(parsed.numbers[1], 1.0);
        }
    }
}

TEST(ParseQueryTest, LiteralInsideAFunctionCallOrListIsANumber) {
    const ParsedQuery parsed = parseQuery("select max(-2, 3.5) from WATER");
    EXPECT_EQ(parsed.shape, "select max(?, ?) from WATER");
    EXPECT_EQ(parsed.numbers, (std::vector<double>{-2, 3.5}));
}

TEST(NumberTextTest, WritesShortDecimalText) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{3.5, "3.5"}, {200, "200"}, {1e-05, "1e-05"}, {0.1, "0.1"}, {-0.25, "-0.25"},
                          {22.064, "22.064"}, {373.946, "373.946"}, {0.00058, "0.00058"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value);
        EXPECT_EQ(numberText(c.value), c.text);
    }
}

TEST(NumberTextTest, EveryNumberWrittenIntoAQueryReadsBackAsTheSameDouble) {
    const double values[] = {1.0 / 3.0,  0.00115455573364235, 853.060384518006, -2.5e-300, 1.7976931348623157e308,
                             2.2250738585072014e-308, 0.1 + 0.2, 6.11654771007897e-4, -4.18108579758325e-14,
                             123456789.98765432, 100.123, std::nextafter(22.064, 23.0)};
    for (double v : values) {
        SCOPED_TRACE(testing::Message() << "value " << v << " text " << numberText(v));
        const ParsedQuery parsed = parseQuery("select * from  WATER where t= " + numberText(v));
        ASSERT_EQ(parsed.numbers.size(), 1u);
        EXPECT_EQ(parsed.numbers[0], v);
        EXPECT_EQ(parsed.shape, "select * from  WATER where t= ?");
    }
}

}  // namespace
}  // namespace steam::data
