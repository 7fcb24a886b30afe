#include "output_files.h"

#include <climits>
#include <cstdlib>

namespace {

// The file a target names: its directory resolved and its last component,
// so that two spellings of one place compare equal.
std::string Canonical(const std::string& target)
{
    const std::size_t slash = target.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
    char resolved[PATH_MAX];
    if (::realpath(directory.c_str(), resolved) == nullptr)
        return target;
    return std::string(resolved) + "/" + target.substr(slash == std::string::npos ? 0 : slash + 1);
}

}  // namespace

std::FILE* COutputFiles::Add(const std::string& path, std::string& error)
{
    if (m_files.size() >= kMaxFiles) {
        error = "too many output files";
        return nullptr;
    }
    std::string target;
    if (!ResolveFileTarget(path, target, error))
        return nullptr;
    for (const auto& file : m_files) {
        if (Canonical(file->Target()) == Canonical(target)) {
            error = "'" + path + "' is already an output of this run";
            return nullptr;
        }
    }
    auto file = std::make_unique<CFileReplacement>(0666);
    if (!file->Open(path, error))
        return nullptr;
    m_files.push_back(std::move(file));
    return m_files.back()->Stream();
}

bool COutputFiles::CommitAll(std::string& error)
{
    for (const auto& file : m_files) {
        if (!file->Finish(false, error))
            return false;
    }
    // An interruption waits until every file is in place, so the outputs
    // change together or not at all.
    const CInterruptsHeld held;
    for (const auto& file : m_files) {
        if (!file->Commit(error))
            return false;
    }
    return true;
}
