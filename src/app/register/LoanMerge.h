#pragma once

// Three-way merge of two registers by loan, for loans written elsewhere (another window, a sync
// tool) into the file since the program last read or wrote it. Loans have no identity but their
// fields, so a loan is its hash, and a change of a loan is one loan gone and another come. The
// base, what the program last read or wrote, is kept as the hashes of its loans only.

#include "app/register/Loan.h"
#include "platform/ListRow.h"

#include <QUtf8StringView>

#include <cstdint>
#include <vector>

namespace wexlo {

class LoanRegister;

namespace loanmerge {

using Hash = std::uint64_t;

// A loan's hash is the one its row keeps over its fields (platform::ListRow::hash()).
// The hashes of every loan of a register, by place (copied from its rows, not computed).
std::vector<Hash> hashesOf(const LoanRegister& loans);
// The same of rows read from a file, in file order.
std::vector<Hash> hashesOf(const std::vector<platform::ListRow>& rows);
// The base: hashes sorted, one per loan (duplicates repeated).
std::vector<Hash> baseOf(std::vector<Hash> hashes);

struct Plan {
    std::vector<int> dropOurs;    // places of our loans that go
    std::vector<int> takeTheirs;  // places of their loans that come in
    // The merge differs from theirs: our side has something theirs lacks, so it must be written.
    bool oursAdds = false;
};

// Per loan, with b, t and o its counts in base, theirs and ours: a side that did not change it
// gives way to the other; two sides that changed it the same way count once (both added: the
// larger count, both removed: the smaller); opposite changes both apply (b + (t-b) + (o-b)).
// A loan added on either side is kept, one removed on one side and untouched on the other goes,
// and a loan changed differently on both sides is kept in both forms (each is a new loan).
// An empty base makes it a union: a loan in either is kept, as many times as the larger side.
// The base is sorted (baseOf()).
Plan merge(const std::vector<Hash>& base, const std::vector<Hash>& theirs,
           const std::vector<Hash>& ours);

// Merges a file's loans (theirs, as read) into the register (ours) against base: our loans that
// go are removed (base sorted), theirs that come are put in at their sorted places, so what a list
// shows of the others (selection, sort, filter) stays. theirHashes receives the hashes of theirs.
Plan mergeInto(LoanRegister& ours, const std::vector<Hash>& base,
               std::vector<platform::ListRow>&& theirs, std::vector<Hash>& theirHashes);

// The counts merge() gives one loan.
int mergedCount(int base, int theirs, int ours);

}  // namespace loanmerge
}  // namespace wexlo
