#include "qbtool_test_support.h"

#include <gtest/gtest.h>

TEST(StudentsCommand, PrintsTheRowsAsUtf8WithTheImportWarnings) {
    TToolTempFolder dir;
    const std::string wide = std::string(41, 'x');
    const TRun run = RunTool(
        {"students", dir.Write("set.csv", "Surname;Forename\r\nM\xFCller;" + wide + "\r\n")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "{\n  \"students\": [\n    {\n      \"surname\": \"M\xC3\xBCller\",\n"
                       "      \"forename\": \"" +
                           std::string(40, 'x') +
                           "\",\n      \"dob\": \"\",\n      \"sex\": \"\"\n    }\n  ],\n"
                           "  \"warnings\": [\n    \"Row 2: \\\"" +
                           wide + "\\\" was cut to 40 characters.\"\n  ]\n}\n");
}
