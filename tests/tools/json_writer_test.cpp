#include "json_writer.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(JsonWriter, EscapesAndIndents) {
    std::ostringstream out;
    TJsonWriter json(out);
    json.BeginObject();
    json.Key("text");
    // Quote, backslash, the named escapes, other control bytes and a NUL byte.
    json.String(std::string("a\"b\\c\n\t\r\b\f\x01\x1f", 12) + std::string(1, '\0') + "/");
    json.Key("cp1252");
    json.Cp1252String("\x80 \xE9 \x93q\x94 \x81"); // euro, e-acute, curly quotes, a hole
    json.Key("empty");
    json.BeginArray();
    json.EndArray();
    json.Key("none");
    json.BeginObject();
    json.EndObject();
    json.Key("list");
    json.BeginArray();
    json.Integer(-32768);
    json.Boolean(false);
    json.Null();
    json.BeginInlineArray();
    json.String("x");
    json.BeginInlineArray();
    json.Integer(1);
    json.Integer(2);
    json.EndArray();
    json.EndArray();
    json.EndArray();
    json.EndObject();
    json.Finish();
    EXPECT_EQ(out.str(),
              "{\n"
              "  \"text\": \"a\\\"b\\\\c\\n\\t\\r\\b\\f\\u0001\\u001f\\u0000/\",\n"
              "  \"cp1252\": \"\xE2\x82\xAC \xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D \xC2\x81\",\n"
              "  \"empty\": [],\n"
              "  \"none\": {},\n"
              "  \"list\": [\n"
              "    -32768,\n"
              "    false,\n"
              "    null,\n"
              "    [\"x\", [1, 2]]\n"
              "  ]\n"
              "}\n");
}

TEST(JsonWriter, RefusesUnbalancedOutputAndCapsTheIndent) {
    std::ostringstream out;
    TJsonWriter json(out);
    json.BeginObject();
    EXPECT_THROW(json.String("no key"), std::logic_error);
    EXPECT_THROW(json.EndArray(), std::logic_error);
    EXPECT_THROW(json.Finish(), std::logic_error);

    // A very deep value is not indented beyond 64 levels, so its size stays linear.
    std::ostringstream deep;
    TJsonWriter nested(deep);
    for (int i = 0; i < 1000; ++i)
        nested.BeginArray();
    for (int i = 0; i < 1000; ++i)
        nested.EndArray();
    nested.Finish();
    EXPECT_LT(deep.str().size(), 1000u * 2 * (2 * 64 + 2));
}

} // namespace
