#pragma once

#include "../QuillPlatformExport.h"

#include <QWidget>

namespace platform {

/// The tab order of the controls that share a parent: each carries a tab index, and the focus
/// chain follows the indices, equal ones in the order the controls joined. A control that joins
/// takes the next index and goes last, at no cost beyond its own; changing an index orders the
/// parent's controls again, and while a Batch lives for that parent (loading a form), that
/// happens once, when the batch ends.
class QUILL_PLATFORM_EXPORT TabOrder
{
public:
    /// Adds a control's widget and returns its index: the number of controls before it.
    static int join(QWidget *widget);
    static void setIndex(QWidget *widget, int index);

    /// Holds back the reordering of a parent's controls while it lives, and reorders them once
    /// when it ends.
    class Batch
    {
    public:
        explicit Batch(QWidget *parent);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        QWidget *m_parent;
    };
};

} // namespace platform
