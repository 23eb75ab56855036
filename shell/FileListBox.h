// The list of files in the file pane. A file is chosen by a click with the
// left button or by moving the selection with the keyboard; selections the
// program makes choose nothing.
#pragma once

#include <QListView>

namespace tallyrix {

class TFileListBox : public QListView {
    Q_OBJECT
public:
    explicit TFileListBox(QWidget* parent = nullptr);

signals:
    void Chosen();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tallyrix
