#include "app/streams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "calendar/runtime_error.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace calendario {
namespace {

// Whether the output was closed when the program started, and so opened on the null device.
bool outputWasClosed = false;
// The first error a write met, for closeOutput to report; 0 while there is none.
int writeError = 0;

#ifdef _WIN32
// Whether a line can be written where it is read: to a console or a terminal, or to the file
// or pipe the stream was redirected to. Qt looks only for handles handed over at start
// (STARTF_USESTDHANDLES), which not every start that redirects them says: Wine's from a
// shell does not.
bool reaches(DWORD handle)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    if (GetConsoleWindow() || (startup.dwFlags & STARTF_USESTDHANDLES))
        return true;
    const HANDLE stream = GetStdHandle(handle);
    if (!stream || stream == INVALID_HANDLE_VALUE)
        return false;
    const DWORD type = GetFileType(stream);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE || type == FILE_TYPE_CHAR;
}
#endif

} // namespace

bool openClosedStandardStreams()
{
#ifndef _WIN32
    // In order: a descriptor opened for a closed one takes the lowest number free.
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (fd == STDOUT_FILENO)
            outputWasClosed = true;
    }
#else
    // A window program started without a console or a redirection has no standard handles,
    // and the C runtime's streams then write nowhere without failing.
    outputWasClosed = !reaches(STD_OUTPUT_HANDLE);
#endif
    return outputWasClosed;
}

bool showWhereNoStreamReaches(const QString &text, bool error)
{
#ifdef _WIN32
    if (!reaches(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE)) {
        MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()), L"calendario",
                    MB_OK | MB_TOPMOST | MB_SETFOREGROUND
                        | (error ? MB_ICONERROR : MB_ICONINFORMATION));
        return true;
    }
#else
    Q_UNUSED(text);
    Q_UNUSED(error);
#endif
    return false;
}

void printLine(const QString &text)
{
    const QByteArray line = (text + QLatin1Char('\n')).toLocal8Bit();
    // Into the null device in place of a closed output: written, but not where it was meant.
    if (outputWasClosed && !writeError)
        writeError = EBADF;
    // Flushed at once, for a script reading through a pipe. Its error is kept now: the
    // stream drops what it could not write and keeps only its error flag.
    if ((std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout)
             != std::size_t(line.size())
         || std::fflush(stdout) != 0)
        && !writeError)
        writeError = errno;
}

int closeOutput(int status)
{
    // As coreutils' close_stdout: the buffer flushed, the stream's error flag, then the close,
    // which is where a file system that writes late reports it.
    if (std::fflush(stdout) != 0 && !writeError)
        writeError = errno;
    if (std::ferror(stdout) && !writeError)
        writeError = EIO;
    if (std::fclose(stdout) != 0 && !writeError)
        writeError = errno;
    if (!writeError)
        return status;
    std::fprintf(stderr, "calendario: write error: %s\n", std::strerror(writeError));
    return kFailureExitStatus;
}

} // namespace calendario
