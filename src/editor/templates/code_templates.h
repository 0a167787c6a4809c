// TCodeTemplates, the code templates of a language, with their file "codetpl.tpl".
#pragma once

#include "editor/templates/macro_keywords.h"

#include <QString>

// The file is text with CR LF line ends: each template is a header line "[" name " | " description
// "]" followed by its body lines. The format has no escapes: a body line that starts with "[" reads
// back as the header of a new template, and a description ends at its first "]".
class TCodeTemplates : public TMacroKeywords {
public:
    // Writes every template, replacing the file only once the new one is complete; failure raises
    // EFCreateError.
    void SaveToFile(const QString& FileName) const;
    // Replaces the templates with the file's; a file that cannot be read raises EFOpenError
    // "Cannot open file "<name>" for reading" and keeps the templates.
    void LoadFromFile(const QString& FileName);
    // The templates of a file's text.
    void LoadFromText(const QByteArray& Text);
    // The file's text of the templates.
    QByteArray ToText() const;

    // Source must be a TCodeTemplates (or a descendant): anything else raises Exception
    // "Cannot assign <source> to <this>".
    void Assign(const TObject& Source) override;

protected:
    std::unique_ptr<TSM_Base> NewInstance() const override;
};
