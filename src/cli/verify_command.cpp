#include "verify_command.h"

#include "data/data_fault.h"
#include "data/data_verification.h"

namespace steam::cli {

int runVerifyCommand(const std::vector<std::string>& args, const std::vector<std::filesystem::path>& places,
                     std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "steamcalc: verify takes no arguments: " << args.front() << "\nusage: steamcalc verify\n";
        return 2;
    }
    const auto folder = data::dataFolderOf(places);
    if (!folder) {
        err << "steamcalc: 找不到数据文件，已查找：";
        for (const auto& place : places) err << "\n" << place.string();
        err << "\n";
        return 1;
    }
    const data::FolderResult result = data::verifyDataFolder(*folder);
    if (result.manifest != data::ManifestRead::Read) {
        err << "steamcalc: " << data::manifestProblemText(result) << "\n";
        return 1;
    }
    for (const data::FileResult& file : result.files)
        out << file.file.filename().string() << ": " << (file.holds() ? "ok" : data::failureText(file)) << "\n";
    out.flush();
    for (const data::FileResult& file : result.files) {
        if (file.holds()) continue;
        if (file.failed == data::FileCheck::Present)
            err << "steamcalc: 数据文件不存在: " << file.file.string() << "\n";
        else
            err << "steamcalc: " << data::damagedFileMessage(file.file) << "\n";
    }
    return result.holds() ? 0 : 1;
}

}  // namespace steam::cli
