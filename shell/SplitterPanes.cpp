#include "shell/SplitterPanes.h"

#include <QSplitter>
#include <algorithm>

namespace tallyrix {

void SetPaneSize(QSplitter* splitter, int index, int size)
{
    QList<int> sizes = splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    sizes[index] = std::max(size, 0);
    sizes[1 - index] = std::max(total - sizes[index], 1);
    splitter->setSizes(sizes);
}

}  // namespace tallyrix
