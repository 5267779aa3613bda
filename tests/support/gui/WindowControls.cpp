#include "WindowControls.h"

#include <QTest>

namespace {

template <class T>
void Find(const QList<const QObject*>& roots, const char* name, T*& into) {
    const QString wanted = QString::fromLatin1(name);
    for (const QObject* root : roots) {
        if (root->objectName() == wanted) {
            into = qobject_cast<T*>(const_cast<QObject*>(root));
        } else {
            into = root->findChild<T*>(wanted);
        }
        if (into) {
            return;
        }
    }
    QTest::qFail(qPrintable(QStringLiteral("no control named %1").arg(wanted)), __FILE__, __LINE__);
}

}  // namespace

WindowControls FindWindowControls(const QList<const QObject*>& roots) {
    WindowControls c;
    Find(roots, "Image_content", c.Image_content);
    Find(roots, "Image1", c.Image1);
    Find(roots, "L_cpzt", c.L_cpzt);
    Find(roots, "CB_cpzt", c.CB_cpzt);
    Find(roots, "CB_qy", c.CB_qy);
    Find(roots, "E_cth", c.E_cth);
    Find(roots, "Button_ct_cz", c.Button_ct_cz);
    Find(roots, "CB_fyxs", c.CB_fyxs);
    Find(roots, "Tab_ct", c.Tab_ct);
    Find(roots, "Panel_Left_Client", c.Panel_Left_Client);
    Find(roots, "Button_ct_syy", c.Button_ct_syy);
    Find(roots, "Button_ct_xyy", c.Button_ct_xyy);
    Find(roots, "Panel_ct", c.Panel_ct);
    Find(roots, "TreeView_ct_ct", c.TreeView_ct_ct);
    Find(roots, "Button_ct_qd", c.Button_ct_qd);
    Find(roots, "Button_ct_qx", c.Button_ct_qx);
    Find(roots, "E_cpmc", c.E_cpmc);
    Find(roots, "SpeedButton1", c.SpeedButton1);
    Find(roots, "ImgBtn9", c.ImgBtn9);
    Find(roots, "ImgBtn10", c.ImgBtn10);
    Find(roots, "ImgBtn12", c.ImgBtn12);
    Find(roots, "L_gzzd", c.L_gzzd);
    Find(roots, "CB_gzzd", c.CB_gzzd);
    Find(roots, "L_cpbm", c.L_cpbm);
    Find(roots, "CB_cpbm", c.CB_cpbm);
    Find(roots, "Button_cp_cz", c.Button_cp_cz);
    Find(roots, "RG_xszt", c.RG_xszt);
    Find(roots, "Button1", c.Button1);
    Find(roots, "Button2", c.Button2);
    Find(roots, "Button3", c.Button3);
    Find(roots, "Panel_cp", c.Panel_cp);
    Find(roots, "TAB_CP", c.TAB_CP);
    Find(roots, "RzPanel5", c.RzPanel5);
    Find(roots, "RzPl_cstx", c.RzPl_cstx);
    Find(roots, "cxGrid_ct_cp", c.cxGrid_ct_cp);
    Find(roots, "RzPanel10", c.RzPanel10);
    Find(roots, "Panel_client_client", c.Panel_client_client);
    Find(roots, "RzPanel7", c.RzPanel7);
    Find(roots, "RzPl_tccc", c.RzPl_tccc);
    Find(roots, "RzPl_finished", c.RzPl_finished);
    Find(roots, "Button_cpys", c.Button_cpys);
    Find(roots, "Button_wfzz", c.Button_wfzz);
    Find(roots, "ImgBtn11", c.ImgBtn11);
    Find(roots, "Button_zzwc", c.Button_zzwc);
    Find(roots, "Button_kszz", c.Button_kszz);
    Find(roots, "Button_jjzz", c.Button_jjzz);
    Find(roots, "Button_cp_xyy", c.Button_cp_xyy);
    Find(roots, "Button_cp_syy", c.Button_cp_syy);
    Find(roots, "Label_title", c.Label_title);
    Find(roots, "Label_shortcuts", c.Label_shortcuts);
    Find(roots, "Label_operator", c.Label_operator);
    Find(roots, "PopupMenu3", c.PopupMenu3);
    Find(roots, "N9", c.N9);
    Find(roots, "N10", c.N10);
    Find(roots, "N1", c.N1);
    Find(roots, "N2", c.N2);
    Find(roots, "N3", c.N3);
    Find(roots, "N4", c.N4);
    Find(roots, "N5", c.N5);
    Find(roots, "Timer2", c.Timer2);
    Find(roots, "Timer_sx", c.Timer_sx);
    Find(roots, "Timer_updatezt", c.Timer_updatezt);
    Find(roots, "Timer_cstx", c.Timer_cstx);
    Find(roots, "Timer5", c.Timer5);
    Find(roots, "Timer1", c.Timer1);
    Find(roots, "Timer3", c.Timer3);
    Find(roots, "Timer4", c.Timer4);
    return c;
}
