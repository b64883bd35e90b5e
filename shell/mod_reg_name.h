#pragma once

#include <QString>
#include <QStringList>

class ClassStore;

// Writes the program's file type "Kelvarino" and maps extensions to it.
namespace ModRegName {

// The type's open command: the executable in double quotes, a space, "%1" in
// double quotes.
QString OpenCommand(const QString& executablePath);
// The type's icon: icon 0 of the executable.
QString IconReference(const QString& executablePath);

// The extensions the user may map to the type (MediaTypes), as the
// confirmation box lists them: ".mkv;.m2t;...".
QString ExtensionList();

// .kq, the icon, the default verb, its text and its command, in this order.
void RegisterProgId(ClassStore& store, const QString& executablePath);
// Each of MediaTypes::associatedExtensions() to the type, in list order.
void AssociateExtensions(ClassStore& store);

} // namespace ModRegName
