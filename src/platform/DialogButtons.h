#pragma once

class QDialog;
class QDialogButtonBox;

namespace orvel
{

/// The "확인" and "취소" buttons of a dialog (objectNames okButton and cancelButton),
/// accepting and rejecting it.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

} // namespace orvel
