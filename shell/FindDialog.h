// The modeless Find dialog: search text, match case, whole word, and the
// buttons Find Next and Cancel. Find Next emits Find; the owner searches.
#pragma once

#include "shell/SearchDialog.h"

namespace tallyrix {

class TFindDialog : public TSearchDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent = nullptr);
};

}  // namespace tallyrix
