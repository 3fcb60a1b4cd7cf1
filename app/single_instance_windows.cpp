// One calendar at a time on Windows, by Windows' own means: a named mutex in the session
// tells whether a calendar runs, a property on its window lets a later start find it, and
// the request reaches it as the text of a WM_COPYDATA message (app/copydata_request.h).
#include <optional>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>

#include <windows.h>

#include "app/copydata_request.h"
#include "app/single_instance.h"

namespace calendario {
namespace {

// Per session: another user's calendar, on another desktop, is not this user's.
const wchar_t kMutexName[] = L"Local\\" CALENDARIO_APP_ID;
const wchar_t kProperty[] = L"" CALENDARIO_APP_ID;
// Marks our WM_COPYDATA among any other program's.
constexpr ULONG_PTR kMagic = 0x43616c31; // "Cal1"
// The first calendar may still be building its window: a later start looks for it this
// long, and waits so long for it to take the request.
constexpr ULONGLONG kFindMs = 5000;
constexpr DWORD kRetryMs = 50;
constexpr UINT kSendMs = 5000;

// The window of the calendar that runs, in any process of this desktop.
HWND findCalendar()
{
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            if (!GetPropW(window, kProperty))
                return TRUE;
            *reinterpret_cast<HWND *>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Whether the calendar of `window` took the request.
bool hand(HWND window, const QString &text)
{
    // This start may come to the front, having been started by the user; so may the
    // calendar that takes its request, then.
    DWORD process = 0;
    if (GetWindowThreadProcessId(window, &process))
        AllowSetForegroundWindow(process);
    COPYDATASTRUCT data{kMagic, DWORD(text.size() * sizeof(char16_t)),
                        const_cast<void *>(static_cast<const void *>(text.utf16()))};
    DWORD_PTR answer = FALSE;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, kSendMs, &answer)
        && answer == TRUE;
}

class WindowsInstance final : public SingleInstance, private QAbstractNativeEventFilter
{
public:
    explicit WindowsInstance(const Request &request) : request_(request)
    {
        // Creating the mutex costs next to nothing; only a later start has more to do,
        // beside its window being built.
        mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
        if (!mutex_)
            claim_ = Claim::Alone;
        else if (GetLastError() != ERROR_ALREADY_EXISTS)
            claim_ = Claim::First;
        else
            worker_ = CreateThread(nullptr, 0, &WindowsInstance::handOver, this, 0, nullptr);
    }

    ~WindowsInstance() override
    {
        claim();
        withdraw();
        if (QCoreApplication *app = QCoreApplication::instance())
            app->removeNativeEventFilter(this);
        if (mutex_)
            CloseHandle(mutex_);
    }

    Claim claim() override
    {
        if (worker_) {
            WaitForSingleObject(worker_, INFINITE);
            CloseHandle(worker_);
            worker_ = nullptr;
        }
        return claim_;
    }

    void serve(QWidget *window) override
    {
        window_ = reinterpret_cast<HWND>(window->winId());
        SetPropW(window_, kProperty, reinterpret_cast<HANDLE>(kMagic));
        QCoreApplication *app = QCoreApplication::instance();
        app->installNativeEventFilter(this);
        // A calendar on its way out takes no more requests: a later start then finds none,
        // and is the first once this one has gone.
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { withdraw(); });
    }

private:
    // On the worker thread: hand the request to the calendar that runs, or take its place
    // if it ended meanwhile.
    static DWORD WINAPI handOver(void *instance)
    {
        auto *self = static_cast<WindowsInstance *>(instance);
        self->claim_ = self->handOver();
        return 0;
    }

    Claim handOver()
    {
        const QString text = copyDataText(request_);
        const ULONGLONG end = GetTickCount64() + kFindMs;
        for (;;) {
            if (const HWND window = findCalendar(); window && hand(window, text))
                return Claim::HandedOver;
            // Only this handle keeps the mutex once the calendar has ended: opened anew, it
            // tells whether one still runs.
            CloseHandle(mutex_);
            mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
            if (!mutex_)
                return Claim::Alone;
            if (GetLastError() != ERROR_ALREADY_EXISTS)
                return Claim::First;
            if (GetTickCount64() >= end)
                return Claim::Alone;
            Sleep(kRetryMs);
        }
    }

    void withdraw()
    {
        if (window_)
            RemovePropW(window_, kProperty);
        window_ = nullptr;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override
    {
        const auto *msg = static_cast<const MSG *>(message);
        if (type != "windows_generic_MSG" || msg->message != WM_COPYDATA || !window_
            || msg->hwnd != window_)
            return false;
        const auto *data = reinterpret_cast<const COPYDATASTRUCT *>(msg->lParam);
        if (!data || data->dwData != kMagic)
            return false;
        const std::optional<Request> request = readCopyData(data->lpData, data->cbData);
        *result = request ? TRUE : FALSE;
        // Answered after the sender has its reply, from the event loop, as any event.
        if (request)
            QMetaObject::invokeMethod(
                this, [this, asked = *request] { emit requested(asked); }, Qt::QueuedConnection);
        return true;
    }

    const Request request_;
    HANDLE mutex_ = nullptr;
    HANDLE worker_ = nullptr;
    Claim claim_ = Claim::Alone;
    HWND window_ = nullptr;
};

} // namespace

std::unique_ptr<SingleInstance> SingleInstance::start(const Request &request)
{
    return std::make_unique<WindowsInstance>(request);
}

} // namespace calendario
