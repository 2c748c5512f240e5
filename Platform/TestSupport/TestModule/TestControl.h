#pragma once

#include "../../Hosting/UserControl.h"
#include "../../Objects/MemberTable.h"

// A control for the hosting tests: it logs its lifecycle, persists four keys, raises an event
// on request and fails on request, so that every host path can be driven through it.
class TestControl : public platform::DispatchFromTable<TestControl, platform::UserControl>
{
public:
    static const platform::MemberTable<TestControl> &memberTable();

    void UserControl_Initialize() override;
    void UserControl_ReadProperties(platform::PropertyBag &bag) override;
    void UserControl_Resize() override;
    void UserControl_WriteProperties(platform::PropertyBag &bag) override;

private:
    QStringList m_log;
    QString m_caption;
    int32_t m_count = 0;
    double m_ratio = 0;
    bool m_flag = false;
    QString m_failIn; // a lifecycle step that raises an error, set through saved state
};
