// The desktop's search against its budgets, as a client on the session bus
// sees it (./bench.sh runs it on a private bus that can start `vornel
// --search-provider`, which ends 300 ms after its last call):
//  - a running provider's answer to GetInitialResultSet and GetResultMetas
//    for "M8x1.25", the median of 100, against an empty call's round trip to
//    the same process (budget ≤ 5 ms);
//  - the first answer of a provider that the call starts, against the
//    program's own start-up to the menu drawn (the start-up probe given as
//    the argument), in alternating runs (budget ≤ 0.5 ×);
//  - the running provider's peak resident memory against the start-up
//    probe's, the menu's (budget ≤ half).
//   vornel_provider_bench STARTUP_PROBE
#include "app/search_provider.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString kService = QString::fromLatin1(vornel::kSearchProviderService);
const QString kPath = QString::fromLatin1(vornel::kGnomeSearchProviderPath);
const QString kInterface = QStringLiteral("org.gnome.Shell.SearchProvider2");
constexpr int kCalls = 100;
constexpr int kStarts = 21;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QDBusMessage call(const QString& method, const QVariantList& arguments,
                  const QString& interface = kInterface) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
    message.setArguments(arguments);
    QDBusMessage reply = QDBusConnection::sessionBus().call(message, QDBus::Block, 20000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(method),
                     qUtf8Printable(reply.errorMessage()));
        std::exit(1);
    }
    return reply;
}

// The milliseconds of one GetInitialResultSet and GetResultMetas of its ids.
double answer() {
    QElapsedTimer timer;
    timer.start();
    const QDBusMessage ids =
        call(QStringLiteral("GetInitialResultSet"), {QStringList{QStringLiteral("M8x1.25")}});
    const QDBusMessage metas = call(QStringLiteral("GetResultMetas"), {ids.arguments().value(0)});
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (ids.arguments().value(0).toStringList().isEmpty()) {
        std::fprintf(stderr, "no results for M8x1.25\n");
        std::exit(1);
    }
    return ms;
}

bool providerRuns() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(kService);
}

void waitForProviderEnd() {
    for (int i = 0; i < 1000 && providerRuns(); ++i)
        QThread::msleep(10);
    if (providerRuns()) {
        std::fprintf(stderr, "the provider does not end\n");
        std::exit(1);
    }
}

// The peak resident memory of process `pid` in KiB, from /proc.
long peakResidentKiB(uint pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// The start-up probe's peak resident memory in KiB.
long menuPeakResidentKiB(const QString& probe) {
    QProcess process;
    process.start(probe, {QStringLiteral("--peak-rss")});
    process.waitForFinished(20000);
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("peak_rss_kib "))
            return line.mid(13).trimmed().toLong();
    }
    return 0;
}

double startupMs(const QString& probe) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(probe, {});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) {
        std::fprintf(stderr, "the start-up probe failed\n");
        std::exit(1);
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

const char* verdict(double figure, double budget) {
    return figure <= budget ? "PASS" : "MISS";
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2 || !QDBusConnection::sessionBus().isConnected()) {
        std::fprintf(stderr, "usage: vornel_provider_bench STARTUP_PROBE, on a session bus\n");
        return 2;
    }
    const QString probe = QString::fromLocal8Bit(argv[1]);

    std::vector<double> firstAnswers, startups;
    startupMs(probe); // warm the caches as the provider's first run does
    for (int i = 0; i < kStarts; ++i) {
        waitForProviderEnd();
        firstAnswers.push_back(answer());
        startups.push_back(startupMs(probe));
    }

    // The provider is running now; each call keeps it.
    std::vector<double> answers, pings;
    for (int i = 0; i < kCalls; ++i) {
        answers.push_back(answer());
        QElapsedTimer timer;
        timer.start();
        call(QStringLiteral("Ping"), {}, QStringLiteral("org.freedesktop.DBus.Peer"));
        pings.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }

    const QDBusReply<uint> pid = QDBusConnection::sessionBus().interface()->servicePid(kService);
    const long providerKiB = peakResidentKiB(pid.value());
    const long menuKiB = menuPeakResidentKiB(probe);
    const double memory = menuKiB ? static_cast<double>(providerKiB) / menuKiB : 1;

    const double running = median(answers);
    const double ping = median(pings);
    const double first = median(firstAnswers) / median(startups);
    std::printf("  answer to \"M8x1.25\" (GetInitialResultSet + GetResultMetas), median of %d: "
                "%.2f ms (%.1f × an empty call)  budget ≤ 5 ms  %s\n",
                kCalls, running, running / ping, verdict(running, 5));
    std::printf("  first answer of a provider the call starts: %.2f × start-up to the menu "
                "drawn (%.1f against %.1f ms)  budget ≤ 0.5  %s\n",
                first, median(firstAnswers), median(startups), verdict(first, 0.5));
    std::printf("  the running provider's peak memory: %.2f × the menu's (%.1f against %.1f MiB)"
                "  budget ≤ 0.5  %s\n",
                memory, providerKiB / 1024.0, menuKiB / 1024.0, verdict(memory, 0.5));
    return 0;
}
