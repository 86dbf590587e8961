# Platform layer and test support (issue 25). Applied with perl -pi, in this order.
# The libcurl transfer.
s{"platform/InetControl\.h"}{"platform/Transfer.h"}g;
s{\bmoc_InetControl\.cpp\b}{moc_Transfer.cpp}g;
s{\bplatform::InetControl::StateChanged\b}{platform::Transfer::stateChanged}g;
s{\bQ_EMIT StateChanged\(}{Q_EMIT stateChanged(}g;
s{\bQ_EMIT control_->StateChanged\(}{Q_EMIT control_->stateChanged(}g;
s{\bsetInetControlFactory\b}{setTransferFactory}g;
s{\bInetControlFactory\b}{TransferFactory}g;
s{\bcreateCurlInetControl\b}{createCurlTransfer}g;
s{\bcreateInetControl\b}{createTransfer}g;
s{\bCurlInetControl\b}{CurlTransfer}g;
s{\bInetControl\b}{Transfer}g;
s{\berr::InetStillExecuting\b}{err::TransferStillRunning}g;
s{\berr::InetRequestTimedOut\b}{err::TransferTimedOut}g;
s{\berr::InetUrlMalformed\b}{err::TransferUrlMalformed}g;
# The status box (text and a progress bar drawn in a box) and what centred printing needs of it.
s{"platform/PictureBox\.h"}{"platform/StatusBox.h"}g;
s{\bmoc_PictureBox\.cpp\b}{moc_StatusBox.cpp}g;
s{\bPictureBox\b}{StatusBox}g;
s{(\.|->)Cls\(\)}{$1clear()}g;
s{(\.|->)ScaleWidth\(\)}{$1innerWidth()}g;
s{(\.|->)ScaleHeight\(\)}{$1innerHeight()}g;
s{(\.|->)TextWidth\(}{$1textWidth(}g;
s{(\.|->)TextHeight\(}{$1textHeight(}g;
s{(\.|->)CurrentX\(\)}{$1currentX()}g;
s{(\.|->)CurrentY\(\)}{$1currentY()}g;
s{(\.|->)Print\(}{$1printLine(}g;
# The mouse pointer and the printer the user chose.
s{\bPointer::Hourglass\b}{Pointer::Busy}g;
s{\bplatform::DeviceMode\b}{platform::PrinterSettings}g;
s{\.devMode\b}{.printerSettings}g;
# Test support: the file holding WexloTest is named after it.
s{"support/Fixture\.h"}{"support/WexloTest.h"}g;
