#include "app/register/LoanMerge.h"

#include "app/register/LoanRegister.h"

#include <algorithm>
#include <utility>

namespace wexlo::loanmerge {

std::vector<Hash> hashesOf(const LoanRegister& loans)
{
    // Each row keeps its hash: a copy, though one that meets the rows scattered in memory.
    const platform::RowTable& table = loans.table();
    const int n = table.count();
    std::vector<Hash> out(static_cast<size_t>(n));
    for (int m = 0; m < n; ++m) {
        if (m + 8 < n)
            table.row(m + 8).prefetch();
        out[static_cast<size_t>(m)] = table.row(m).hash();
    }
    return out;
}

std::vector<Hash> hashesOf(const std::vector<platform::ListRow>& rows)
{
    std::vector<Hash> out(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        out[i] = rows[i].hash();
    return out;
}

std::vector<Hash> baseOf(std::vector<Hash> hashes)
{
    std::sort(hashes.begin(), hashes.end());
    return hashes;
}

int mergedCount(int base, int theirs, int ours)
{
    const int dt = theirs - base;
    const int dO = ours - base;
    int r = 0;
    if (dt >= 0 && dO >= 0)
        r = base + std::max(dt, dO);
    else if (dt <= 0 && dO <= 0)
        r = base + std::min(dt, dO);
    else
        r = base + dt + dO;
    return std::max(r, 0);
}

Plan merge(const std::vector<Hash>& base, const std::vector<Hash>& theirs,
           const std::vector<Hash>& ours)
{
    // Each side as (hash, place) sorted, walked together with the sorted base: no memory per
    // loan beyond these, which a big register's reload would feel.
    using Entry = std::pair<Hash, int>;
    auto sorted = [](const std::vector<Hash>& side) {
        std::vector<Entry> out(side.size());
        for (size_t i = 0; i < side.size(); ++i)
            out[i] = {side[i], static_cast<int>(i)};
        std::sort(out.begin(), out.end());
        return out;
    };
    const std::vector<Entry> t = sorted(theirs);
    const std::vector<Entry> o = sorted(ours);
    Plan plan;
    size_t ti = 0, oi = 0;
    auto bi = base.begin();
    while (ti < t.size() || oi < o.size()) {
        Hash h = ti < t.size() ? t[ti].first : o[oi].first;
        if (oi < o.size() && o[oi].first < h)
            h = o[oi].first;
        const size_t t0 = ti, o0 = oi;
        while (ti < t.size() && t[ti].first == h)
            ++ti;
        while (oi < o.size() && o[oi].first == h)
            ++oi;
        bi = std::lower_bound(bi, base.end(), h);
        const auto bEnd = std::upper_bound(bi, base.end(), h);
        const int b = static_cast<int>(bEnd - bi);
        bi = bEnd;
        const int tc = static_cast<int>(ti - t0);
        const int oc = static_cast<int>(oi - o0);
        const int r = mergedCount(b, tc, oc);
        for (int k = oc; k < r; ++k)
            plan.takeTheirs.push_back(t[t0 + static_cast<size_t>(k - oc)].second);
        for (int k = r; k < oc; ++k)
            plan.dropOurs.push_back(o[o0 + static_cast<size_t>(k)].second);
        if (r != tc)
            plan.oursAdds = true;
    }
    std::sort(plan.dropOurs.begin(), plan.dropOurs.end());
    std::sort(plan.takeTheirs.begin(), plan.takeTheirs.end());
    return plan;
}

Plan mergeInto(LoanRegister& ours, const std::vector<Hash>& base,
               std::vector<platform::ListRow>&& theirs, std::vector<Hash>& theirHashes)
{
    theirHashes = hashesOf(theirs);
    Plan plan = merge(base, theirHashes, hashesOf(ours));
    if (!plan.dropOurs.empty())
        ours.remove(QList<int>(plan.dropOurs.begin(), plan.dropOurs.end()));
    if (!plan.takeTheirs.empty()) {
        std::vector<platform::ListRow> come;
        come.reserve(plan.takeTheirs.size());
        for (int i : plan.takeTheirs)
            come.push_back(std::move(theirs[static_cast<size_t>(i)]));
        ours.addAll(std::move(come));
    }
    return plan;
}

}  // namespace wexlo::loanmerge
