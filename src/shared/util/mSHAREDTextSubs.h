#pragma once

class QLineEdit;

namespace wexlo::mSHAREDTextSubs {

// Selects the whole text of the box, then lets pending window events run once.
void highlighttext(QLineEdit* box);

}  // namespace wexlo::mSHAREDTextSubs
