#include "app/streams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace calendario {
namespace {

// Whether the output was closed when the program started, and so opened on the null device.
bool outputWasClosed = false;
// The first error a write met, for closeOutput to report; 0 while there is none.
int writeError = 0;

constexpr int kWriteErrorStatus = 1;

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
#endif
    // On Windows a window program starts with no standard handles, and the C runtime's
    // streams then write nowhere without failing.
    return outputWasClosed;
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
    return kWriteErrorStatus;
}

} // namespace calendario
