#include "app/desktop_search.h"

#include "chart_model/chart_text.h"
#include "charts/charts.h"
#include "search/search_result_model.h"

#include <algorithm>

namespace vornel {

namespace {

using search::SearchResult;
using search::SearchResultModel;

const QString kIcon = QStringLiteral(VORNEL_APP_ID);

std::u16string_view view(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// The normalized text without its leading letters, the family's prefix: "M8"
// and the chart's "8", "PF1/4" and the chart's "G 1/4" are the same size.
std::u16string sizePart(std::u16string_view text) {
    std::u16string normalized = search::normalizedText(text);
    std::size_t letters = 0;
    while (letters < normalized.size() &&
           ((normalized[letters] >= u'a' && normalized[letters] <= u'z') ||
            normalized[letters] == u'#'))
        ++letters;
    return normalized.substr(letters);
}

} // namespace

bool isExactAnswer(const SearchResult& result, const QString& query) {
    return result.byDesignation && sizePart(result.designation) == sizePart(view(query));
}

DesktopSearch::DesktopSearch()
    : index_(charts::allCharts()) {}

QString DesktopSearch::query(const QStringList& terms) {
    qsizetype length = terms.isEmpty() ? 0 : terms.size() - 1;
    for (const QString& term : terms) {
        length += term.size();
        if (length > kLongestQuery)
            return {};
    }
    return terms.join(u' ');
}

const std::vector<SearchResult>& DesktopSearch::find(const QString& query) {
    if (query != lastQuery_) {
        lastResults_ =
            query.size() > kLongestQuery ? std::vector<SearchResult>() : index_.find(view(query));
        lastQuery_ = query;
    }
    return lastResults_;
}

std::vector<DesktopSearch::Answer> DesktopSearch::answers(const QStringList& terms) {
    const QString query = DesktopSearch::query(terms);
    const std::vector<SearchResult>& results = find(query);
    std::vector<Answer> answers;
    answers.reserve(results.size());
    bool exact = true;
    for (std::size_t i = 0; i < results.size(); ++i) {
        exact = exact && isExactAnswer(results[i], query);
        answers.push_back({QString::number(i) + u':' + query, results[i], exact});
    }
    return answers;
}

std::optional<SearchResult> DesktopSearch::result(const QString& id) {
    const qsizetype colon = id.indexOf(u':');
    // At most four digits: no query finds more results than that.
    if (colon < 1 || colon > 4)
        return std::nullopt;
    const QStringView number = QStringView(id).left(colon);
    if (!std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const std::size_t n = number.toUInt();
    const std::vector<SearchResult>& results = find(id.mid(colon + 1));
    if (n >= results.size())
        return std::nullopt;
    return results[n];
}

ResultMetas DesktopSearch::metas(const QStringList& ids) {
    ResultMetas metas;
    for (const QString& id : ids.mid(0, kMostMetasPerCall)) {
        const std::optional<SearchResult> result = this->result(id);
        if (!result)
            continue;
        metas.append({{QStringLiteral("id"), id},
                      {QStringLiteral("name"), name(*result)},
                      {QStringLiteral("description"), description(*result)},
                      {QStringLiteral("gicon"), kIcon}});
    }
    return metas;
}

RemoteMatches DesktopSearch::matches(const QString& query) {
    RemoteMatches matches;
    const std::vector<Answer> answers = this->answers({query});
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const Answer& answer = answers[i];
        // The search window's order, which the relevance keeps.
        const double relevance = std::max(0.01, 1.0 - 0.001 * static_cast<double>(i));
        const QVariantMap properties{
            {QStringLiteral("subtext"), description(answer.result)},
            {QStringLiteral("actions"), answer.result.drill.empty()
                                            ? QStringList()
                                            : QStringList{QString::fromLatin1(kCopyDrillAction)}}};
        matches.append({answer.id, name(answer.result), kIcon, answer.exact ? 100 : 30, relevance,
                        properties});
    }
    return matches;
}

RemoteActions DesktopSearch::actions() {
    return {{QString::fromLatin1(kCopyDrillAction), QStringLiteral("ドリル径をコピー"),
             QStringLiteral("edit-copy")}};
}

QString DesktopSearch::name(const SearchResult& result) {
    return QStringLiteral("%1（%2）")
        .arg(SearchResultModel::text(result, SearchResultModel::Designation),
             SearchResultModel::text(result, SearchResultModel::Chart));
}

QString DesktopSearch::description(const SearchResult& result) {
    // The drill and the limits first, then any further value the search
    // window shows (the ひっかかり率 ...), named by its column, then how a
    // drill matched ("呼び" says no more than the name).
    QStringList parts, further;
    QString match;
    for (int column = 0; column < SearchResultModel::ColumnCount; ++column) {
        const QString text = SearchResultModel::text(result, column);
        if (text.isEmpty())
            continue;
        switch (column) {
        case SearchResultModel::Chart:
        case SearchResultModel::Designation:
            break; // in the name
        case SearchResultModel::Kind:
        case SearchResultModel::Limits:
            parts.append(text); // says what it is: "Rc(PT)", "めねじ内径 6.647～6.912"
            break;
        case SearchResultModel::Drill:
            parts.append(SearchResultModel::columnName(column) + u' ' + text);
            break;
        case SearchResultModel::Match:
            if (result.drillMatch != search::DrillMatch::None)
                match = text;
            break;
        default:
            further.append(SearchResultModel::columnName(column) + u' ' + text);
        }
    }
    parts += further;
    if (!match.isEmpty())
        parts.append(match);
    return parts.join(QStringLiteral("、"));
}

} // namespace vornel
