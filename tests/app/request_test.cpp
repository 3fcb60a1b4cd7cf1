// What later starts ask, read at the edge: D-Bus calls and Windows' WM_COPYDATA bytes each
// become a checked request or are refused, and a token lasts one activation only.
#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include "app/activation_token.h"
#include "app/application_call.h"
#include "app/copydata_request.h"

namespace calendario {
namespace {

using namespace std::chrono;
using Kind = Request::Kind;

const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");

QVariantMap tokens(const QString &token)
{
    return {{QStringLiteral("activation-token"), token}, {QStringLiteral("unknown"), 1}};
}

QVariantList action(const char *name, const QVariantList &parameter, const QVariantMap &data = {})
{
    return {QString::fromLatin1(name), parameter, data};
}

struct Call
{
    const char *method;
    QVariantList arguments;
    std::optional<Request> request;
    const char *fault; // in the error's message
};

TEST(Request, DBusCallsAreReadWholeOrRefusedNamingTheFault)
{
    const Date leap = 2024y / February / 29d;
    const QString longest(kMaxActivationTokenBytes, QLatin1Char('t'));
    const Call rows[] = {
        {"Activate", {QVariantMap()}, Request{}, ""},
        {"Activate", {tokens(QStringLiteral("abc"))}, Request{Kind::Activate, {}, "abc"}, ""},
        {"Activate", {tokens(longest)}, Request{Kind::Activate, {}, longest}, ""},
        {"Activate", {tokens(longest + QLatin1Char('t'))}, Request{}, ""},
        {"Activate", {tokens(QStringLiteral("a b\n"))}, Request{}, ""},
        {"Open",
         {QStringList(), tokens(QStringLiteral("x"))},
         Request{Kind::Activate, {}, "x"},
         ""},
        {"ActivateAction", action("close", {}), Request{Kind::Close, {}, {}}, ""},
        {"ActivateAction", action("show-date", {QStringLiteral("2024-02-29")}),
         Request{Kind::ShowDate, leap, {}}, ""},
        {"ActivateAction", action("show-date", {QStringLiteral("2500-12-31")}, tokens("t")),
         Request{Kind::ShowDate, 2500y / December / 31d, "t"}, ""},
        {"ActivateAction",
         action("show-date", {QStringLiteral("2501-01-01")}),
         {},
         "'2501-01-01' is outside the calendar's years, 1500-01-01 to 2500-12-31"},
        {"ActivateAction",
         action("show-date", {QStringLiteral("2023-02-29")}),
         {},
         "'2023-02-29' is no day"},
        {"ActivateAction", action("show-date", {QString(500, QLatin1Char('9'))}), {}, "9...'"},
        {"ActivateAction", action("show-date", {20240229}), {}, "one parameter, a day as a string"},
        {"ActivateAction", action("show-date", {}), {}, "one parameter"},
        {"ActivateAction", action("close", {1}), {}, "close takes no parameter"},
        {"ActivateAction", action("frobnicate", {}), {}, "no action 'frobnicate'"},
        {"Activate", {QStringLiteral("x")}, {}, "Activate takes (a{sv})"},
        {"ActivateAction", {QStringLiteral("close"), QVariantList()}, {}, "(s, av, a{sv})"},
        {"Quit", {}, {}, "no method 'Quit'"},
    };
    for (const Call &row : rows) {
        const CallReading reading =
            readApplicationCall(QString::fromLatin1(row.method), row.arguments);
        const QString what = QLatin1String(row.method) + QLatin1Char(' ') + row.fault;
        EXPECT_EQ(reading.request, row.request) << what.toStdString();
        EXPECT_TRUE(reading.message.contains(QLatin1String(row.fault)))
            << what.toStdString() << ": " << reading.message.toStdString();
        if (row.request)
            continue;
        EXPECT_EQ(reading.error,
                  QLatin1String(row.method) == QLatin1String("Quit")
                      ? QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")
                      : kInvalidArgs)
            << what.toStdString();
    }
}

std::optional<Request> copyData(const QString &text, qsizetype extraBytes = 0)
{
    QByteArray bytes(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    bytes.append(extraBytes, 'x');
    return readCopyData(bytes.constData(), std::size_t(bytes.size()));
}

TEST(Request, WindowMessagesAreRequestsTextsOrNothing)
{
    const Request showDate{Kind::ShowDate, 1500y / January / 1d, {}};
    EXPECT_EQ(copyData(QStringLiteral("activate")), Request{});
    EXPECT_EQ(copyData(QStringLiteral("close")), (Request{Kind::Close, {}, {}}));
    EXPECT_EQ(copyData(QStringLiteral("show-date 1500-01-01")), showDate);
    EXPECT_EQ(copyData(copyDataText(showDate)), showDate);
    for (const char *refused : {"", "Close", "close ", "show-date 2501-01-01",
                                "show-date 2023-02-29", "show-date 2024-2-29", "show-date "})
        EXPECT_EQ(copyData(QLatin1String(refused)), std::nullopt) << refused;
    EXPECT_EQ(copyData(QStringLiteral("close"), 1), std::nullopt) << "an odd count";
    EXPECT_EQ(copyData(QStringLiteral("show-date 2024-02-29"), 2), std::nullopt) << "too long";
    EXPECT_EQ(readCopyData(nullptr, 10), std::nullopt);
}

// Where the environment carries the token to Qt's Wayland platform, with glibc's heap.
#ifdef __GLIBC__
TEST(Request, ATokenLastsOneActivationAndNothingOfItStaysLinuxOnly)
{
    qunsetenv("XDG_ACTIVATION_TOKEN");
    {
        const ActivationToken token(QStringLiteral("abc"));
        EXPECT_EQ(qgetenv("XDG_ACTIVATION_TOKEN"), "abc");
    }
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));
    {
        const ActivationToken token(QString(kMaxActivationTokenBytes + 1, QLatin1Char('t')));
        EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN")) << "too long";
    }
    // Distinct tokens, one after another, as requests bring them: the heap does not grow by
    // each, as it would were each set by setenv.
    const auto inUse = [] { return mallinfo2().uordblks; };
    const std::size_t before = inUse();
    for (int i = 0; i < 1000; ++i) {
        QString text(kMaxActivationTokenBytes, QLatin1Char('a' + i % 26));
        text.replace(0, 4, QString::number(1000 + i));
        const ActivationToken token(text);
        ASSERT_EQ(qgetenv("XDG_ACTIVATION_TOKEN"), text.toLatin1());
    }
    EXPECT_LT(inUse(), before + 64 * 1024);
}
#endif

} // namespace
} // namespace calendario
