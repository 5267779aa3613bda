#pragma once

#include <QString>

// Texts of the station that more than one part shows or writes.
inline const QString kApplicationTitle = QStringLiteral("檀舟餐饮ERP出品划菜");
inline const QString kWorkstationName = QStringLiteral("默认工作站");
inline const QString kModuleName = QStringLiteral("出品划菜");
inline const QString kModuleShortName = QStringLiteral("roze");
