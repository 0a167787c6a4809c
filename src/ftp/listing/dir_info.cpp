// TFtpDirInfo.
#include "ftp/listing/dir_info.h"

#include "platform/rtl/trim.h"

QString TFtpDirInfo::GetSize()
{
    SizeText = Trim(SizeText);
    return SizeText.isEmpty() ? QStringLiteral("0") : SizeText;
}

bool TFtpDirInfo::IsDirectory() const
{
    return Attributes.startsWith(u'd') || Attributes.startsWith(u'l');
}
