#include "cli/pdf.h"
#include "cli/cli_support.h"

#include <dlfcn.h>
#include <filesystem>

namespace {

// The module sits at the same place relative to the program in the build
// tree and once installed.
std::filesystem::path Module_Path()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return self.parent_path() / ORVANTA_PDF_MODULE_RELPATH;
}

} // namespace

bool Take_Pdf_Option(const std::vector<std::string> &args, std::size_t &i, std::optional<std::string> &path,
                     std::optional<std::string> &usageError)
{
    const std::string &arg = args[i];
    if (arg.starts_with("--pdf=")) {
        path = arg.substr(6);
    } else if (arg == "--pdf") {
        if (i + 1 >= args.size()) {
            usageError = "--pdf 다음에 파일 이름이 필요합니다.";
            return true;
        }
        path = args[++i];
    } else {
        return false;
    }
    if (path->empty())
        usageError = "--pdf 다음에 파일 이름이 필요합니다.";
    return true;
}

int Write_Pdf(std::span<const Page> sheets, const std::string &path, std::ostream &err)
{
    const std::filesystem::path module = Module_Path();
    void *handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return Fail(err, "PDF 모듈을 읽을 수 없습니다: " + std::string(::dlerror()));
    const auto write = reinterpret_cast<WritePdfFunction>(::dlsym(handle, "orvanta_calc_write_pdf"));
    if (!write)
        return Fail(err, "PDF 모듈이 올바르지 않습니다: " + module.string());
    // The module stays loaded: Qt's application object lives until exit.
    std::string failure;
    if (!write(sheets.data(), sheets.size(), path.c_str(), &failure))
        return Fail(err, failure);
    return 0;
}
