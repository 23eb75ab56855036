#include "shell/FileListBox.h"

#include <QKeyEvent>

namespace tallyrix {

TFileListBox::TFileListBox(QWidget* parent) : QListView(parent)
{
    setObjectName(QStringLiteral("FileListBox"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    // The view reports a double click as one click and a double click, so
    // a double click chooses once.
    connect(this, &QAbstractItemView::clicked, this, [this] { emit Chosen(); });
}

void TFileListBox::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    if (currentIndex().isValid() && currentIndex() != before) emit Chosen();
}

}  // namespace tallyrix
