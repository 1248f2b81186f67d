#include "students_command.h"

#include "json_writer.h"
#include "students/student_list.h"
#include "tool_options.h"

int RunStudentsCommand(const std::vector<std::string>& args, TToolIO& io) {
    if (args.size() != 1) throw TUsageError("students needs one LIST file");
    const TStudentListRead read = ReadStudentFile(args[0]);
    TJsonWriter json(io.Out);
    json.BeginObject();
    json.Key("students");
    json.BeginArray();
    for (const TStudent& s : read.Students) {
        json.BeginObject();
        json.Key("surname");
        json.Cp1252String(s.Surname);
        json.Key("forename");
        json.Cp1252String(s.Forename);
        json.Key("dob");
        json.Cp1252String(s.DoB);
        json.Key("sex");
        json.Cp1252String(s.Sex);
        json.EndObject();
    }
    json.EndArray();
    json.Key("warnings");
    json.BeginArray();
    for (const std::string& w : read.Warnings)
        json.String(w);
    json.EndArray();
    json.EndObject();
    json.Finish();
    return 0;
}
