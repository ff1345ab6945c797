#include "app/command_line.h"

#include "app/query.h"
#include "charts/charts.h"
#include "search/result_detail.h"
#include "search/result_json.h"
#include "search/search_result_model.h"
#include "windows/qt_texts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace vornel {

namespace {

// The options that QGuiApplication and QApplication take out of the
// arguments themselves, with a value or without one. They are accepted here
// so that `vornel -platform xcb` starts as `vornel` does; what they mean is
// Qt's business.
constexpr const char* kQtOptionsWithValue[] = {"platform",
                                               "platformpluginpath",
                                               "platformtheme",
                                               "plugin",
                                               "qwindowgeometry",
                                               "qwindowicon",
                                               "qwindowtitle",
                                               "qmljsdebugger",
                                               "session",
                                               "display",
                                               "geometry",
                                               "title",
                                               "name",
                                               "style",
                                               "stylesheet"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "testability",
                                    "nograb",  "dograb",      "sync"};

// A cell on one line of its own: TABs and line breaks would split it.
QString oneCell(QString text) {
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}

CommandLine failure(const QString& why) {
    return {CommandMode::Error, {}, why, false};
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments) {
    // The plain start reads nothing.
    if (arguments.size() <= 1)
        return {};

    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("めねじの下穴ドリル径と内径の許容寸法の早見表です。"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("この説明を表示して終了します。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("版を表示して終了します。"));
    const QCommandLineOption find(
        QStringLiteral("find"),
        QStringLiteral("ねじの呼び、ドリル径または測定値で検索し、結果を詳細まで TAB 区切りで"
                       "出力します。見つかれば 0、なければ 1 で終了します。"),
        QStringLiteral("QUERY"));
    const QCommandLineOption json(
        QStringLiteral("json"),
        QStringLiteral("--find の結果を JSON で出力します（数値は数値、単位つき）。"));
    const QCommandLineOption search(
        QStringLiteral("search"),
        QStringLiteral("「ねじ・下穴の検索」を開いて起動します（QUERY があればそれで検索）。"));
    const QCommandLineOption provider(
        QStringLiteral("search-provider"),
        QStringLiteral("窓を開かずに、デスクトップの検索（GNOME Shell、KRunner）に "
                       "D-Bus で答えます。"));
    // What a D-Bus service file of a GNOME application starts it with.
    QCommandLineOption service(QStringLiteral("gapplication-service"),
                               QStringLiteral("窓を開かずに起動し、D-Bus で開く窓を待ちます。"));
    parser.addOptions({help, version, find, json, search, provider, service});
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("QUERY"), QStringLiteral("--search で検索する語。"),
                                 QStringLiteral("[QUERY]"));

    if (!parser.parse(arguments))
        return failure(parser.errorText());
    if (parser.isSet(help))
        return {CommandMode::Help,
                {},
                QCoreApplication::instance() ? parser.helpText() : QString(),
                false};
    if (parser.isSet(version))
        return {CommandMode::Version, {}, {}, false};

    const int modes = int(parser.isSet(find)) + int(parser.isSet(search)) +
                      int(parser.isSet(provider)) + int(parser.isSet(service));
    if (modes > 1)
        return failure(
            QStringLiteral("--find、--search、--search-provider、--gapplication-service は"
                           "一つだけ指定できます。"));
    const QStringList words = parser.positionalArguments();
    if (!words.isEmpty() && !parser.isSet(search))
        return failure(QStringLiteral("余分な引数 '%1'（検索語は --find か --search の後に）。")
                           .arg(words.first()));
    if (parser.isSet(json) && !parser.isSet(find))
        return failure(QStringLiteral("--json は --find と一緒に指定します。"));
    if (parser.isSet(find)) {
        // Given twice, the last one counts, as with most programs.
        const QString query = parser.values(find).constLast();
        if (query.trimmed().isEmpty())
            return failure(QStringLiteral("--find の検索語が空です。"));
        return {CommandMode::Find, query, {}, parser.isSet(json)};
    }
    if (parser.isSet(search))
        return {CommandMode::Search, words.join(u' '), {}, false};
    if (parser.isSet(provider))
        return {CommandMode::SearchProvider, {}, {}, false};
    if (parser.isSet(service))
        return {CommandMode::Service, {}, {}, false};
    return {};
}

CommandLine readCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return readCommandLine(arguments);
}

bool needsDisplay(CommandMode mode) {
    return mode == CommandMode::Menu || mode == CommandMode::Search || mode == CommandMode::Service;
}

int printResults(const QString& query, std::FILE* file, FindFormat format) {
    const search::SearchIndex index(charts::allCharts());
    const std::vector<search::SearchResult> results = findAnswers(index, query);
    QTextStream out(file);
    if (format == FindFormat::Json) {
        out << search::resultsJson(query, results);
    } else if (!results.empty()) {
        for (int column = 0; column < search::ColumnCount; ++column)
            out << search::columnName(column) << '\t';
        out << "詳細\n";
        for (const search::SearchResult& result : results) {
            for (int column = 0; column < search::ColumnCount; ++column)
                out << (column ? "\t" : "") << oneCell(search::cellText(result, column));
            // The whole answer: every line of the detail, a field each.
            for (const QString& line : search::resultDetail(result).split(u'\n'))
                out << '\t' << oneCell(line);
            out << '\n';
        }
    }
    out.flush();
    // A stream that could not write says so; the C stream underneath holds
    // what it has not passed on yet.
    if (out.status() != QTextStream::Ok || std::fflush(file) != 0 || std::ferror(file)) {
        std::fputs("vornel: 検索結果を出力できません（書き込みに失敗しました）。\n", stderr);
        return -1;
    }
    return static_cast<int>(results.size());
}

int runWithoutDisplay(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vornel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORNEL_VERSION));
    CommandLine command = readCommandLine(QCoreApplication::arguments());
    if (command.mode == CommandMode::Find)
        return printResults(command.query, stdout,
                            command.json ? FindFormat::Json : FindFormat::Tabs) > 0
                   ? 0
                   : 1;
    // The parser's own texts ("Usage:", "Unknown option") in Japanese too.
    useJapaneseQtTexts();
    command = readCommandLine(QCoreApplication::arguments());
    switch (command.mode) {
    case CommandMode::Help:
        QTextStream(stdout) << command.text;
        return 0;
    case CommandMode::Version:
        QTextStream(stdout) << "vornel " << VORNEL_VERSION << '\n';
        return 0;
    default:
        // One line, as a script's log wants it.
        QTextStream(stderr) << "vornel: " << command.text.simplified() << '\n';
        return 2;
    }
}

} // namespace vornel
