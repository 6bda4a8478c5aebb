#pragma once

#include "store/settings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

// "Mise en page": the paper type for invoices and the envelope's
// orientation and guide.
class TMPage : public QDialog
{
    Q_OBJECT
public:
    explicit TMPage(QWidget *parent = nullptr);

    // The current values when they are in range; else the first entries and
    // the box unticked.
    void Init(const Settings &settings);
    // OK: the three settings take the dialog's values.
    void Result(Settings &settings) const;

    QButtonGroup *paperGroup() const { return m_paper; }
    QButtonGroup *orientationGroup() const { return m_orientation; }
    QCheckBox *guideBox() const { return m_guide; }

private:
    QButtonGroup *m_paper;
    QButtonGroup *m_orientation;
    QCheckBox *m_guide;
    int m_paperType = 0; // kept when no button stands for it
};

// `ParM`: runs the dialog; on OK the settings change. Returns whether they did.
bool ParM(QWidget *parent, Settings &settings);
