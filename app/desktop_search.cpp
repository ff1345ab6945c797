#include "app/desktop_search.h"

#include "search/result_texts.h"

#include <algorithm>

namespace vornel {

namespace {

using search::SearchResult;

const QString kIcon = QStringLiteral(VORNEL_APP_ID);

} // namespace

DesktopSearch::DesktopSearch(const search::SearchIndex& index)
    : index_(index) {}

QString DesktopSearch::query(const QStringList& terms) {
    return terms.join(u' ');
}

const std::vector<SearchResult>& DesktopSearch::find(const QString& query) {
    if (query != lastQuery_) {
        lastResults_ = findAnswers(index_, query);
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
        exact = exact && results[i].exact;
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
    return search::resultName(result);
}

QString DesktopSearch::description(const SearchResult& result) {
    return search::resultDescription(result);
}

} // namespace vornel
