// The text form of the user's registry: a regedit export ("REGEDIT4") of the HKEY_CURRENT_USER tree.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Tarnwick Software\Internet\Profiles\Home]
//   "HostName"="ftp.example.org"
//   "Password"=hex(1):41,00,0d,00,00,00
//   "Count"=dword:0000000a
//   "Key Map"=hex:4d,65,72
//
// The file is UTF-8. Every key gets a section, subkeys after their parent in enumeration order,
// values in their order. Names and texts are quoted with "\" before "\" and '"'; "@" names the
// default value. A REG_SZ text that has control characters (NUL, CR, LF ...) or lone surrogates
// is written as hex(1): its UTF-16 units, low byte first, and a closing zero unit, exactly as the
// registry holds it; any other value that is not a plain text or a four-byte REG_DWORD is written
// as hex(<type>): its bytes. So every value comes back exactly as it was saved.
//
// The reader also takes a byte order mark, CR LF line ends, blank lines, ";" comment lines and
// hex lists continued on the next line after a closing "\".
#pragma once

#include "platform/registry/hive.h"
#include "platform/rtl/exception.h"

#include <QByteArray>

// The text is not a registry file; Line is the 1-based line at fault.
class EHiveFileError : public Exception {
public:
    EHiveFileError(int Line, const QString& Problem);
    int Line;
};

// Reads a registry file into the tree of HKEY_CURRENT_USER (whose own name is empty).
// Raises EHiveFileError.
THiveKey ReadHiveText(const QByteArray& Text);

// Writes the tree of HKEY_CURRENT_USER as a registry file; ReadHiveText gives it back.
QByteArray WriteHiveText(const THiveKey& Root);
