#include "output_files.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include <signal.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary files the signal handler removes: fixed buffers, written
// only while the signals are blocked, so the handler reads whole names.
constexpr std::size_t kMaxName = PATH_MAX + 32;
char s_temporaries[COutputFiles::kMaxFiles][kMaxName];
struct sigaction s_previous[std::size(kSignals)];

extern "C" void RemoveTemporariesAndExit(int signal)
{
    for (const char* name : s_temporaries) {
        if (name[0] != '\0')
            ::unlink(name);
    }
    ::_exit(128 + signal);
}

// Blocks the three signals for its life, so that a temporary file and the
// handler's record of it appear and disappear together.
class CSignalsHeld {
public:
    CSignalsHeld()
    {
        sigset_t set;
        sigemptyset(&set);
        for (int s : kSignals)
            sigaddset(&set, s);
        sigprocmask(SIG_BLOCK, &set, &m_previous);
    }
    ~CSignalsHeld() { sigprocmask(SIG_SETMASK, &m_previous, nullptr); }
    CSignalsHeld(const CSignalsHeld&) = delete;
    CSignalsHeld& operator=(const CSignalsHeld&) = delete;

private:
    sigset_t m_previous;
};

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

COutputFiles::COutputFiles()
{
    std::memset(s_temporaries, 0, sizeof s_temporaries);
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndExit;
    sigfillset(&action.sa_mask);  // one handler at a time
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &action, &s_previous[i]);
}

COutputFiles::~COutputFiles()
{
    {
        const CSignalsHeld held;
        m_files.clear();  // removes the temporary files not committed
        std::memset(s_temporaries, 0, sizeof s_temporaries);
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &s_previous[i], nullptr);
}

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
    const CSignalsHeld held;
    auto file = std::make_unique<CFileReplacement>(0666);
    if (!file->Open(path, error))
        return nullptr;
    if (file->Temporary().size() >= kMaxName) {
        error = "cannot write '" + path + "': the name is too long";
        return nullptr;  // the replacement removes its temporary file
    }
    std::strcpy(s_temporaries[m_files.size()], file->Temporary().c_str());
    m_files.push_back(std::move(file));
    return m_files.back()->Stream();
}

bool COutputFiles::CommitAll(std::string& error)
{
    for (const auto& file : m_files) {
        if (!file->Finish(false, error))
            return false;
    }
    const CSignalsHeld held;
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        if (!m_files[i]->Commit(error))
            return false;
        s_temporaries[i][0] = '\0';
    }
    return true;
}
