// IWizHost, IWizHost2 and IWizClient: how a wizard's host frame and its client form talk.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

// What the client asks of the host. {386EE9AA-4CDB-49EA-88D9-8203D7D242FF}
class IWizHost {
public:
    virtual ~IWizHost() = default;
    // The header picture.
    virtual QPixmap GetPicture() const = 0;
    // The host window's caption.
    virtual QString GetCaption() const = 0;
    virtual void SetPicture(const QPixmap& Picture) = 0;
    virtual void SetCaption(const QString& Text) = 0;
    // Ends the wizard with modal result 1 (through the client's close query).
    virtual void Finish() = 0;
};

class IWizClient;

// The host's header and its client. {902A887A-8EDD-469E-A24A-23B470389983}
class IWizHost2 : public IWizHost {
public:
    virtual QString GetSubtitle() const = 0;
    virtual QString GetTitle() const = 0;
    virtual QColor GetHeaderFontColor() const = 0;
    // True when the header panel is hidden.
    virtual bool GetHeaderHidden() const = 0;
    virtual QColor GetHeaderColor() const = 0;
    virtual void SetSubtitle(const QString& Text) = 0;
    virtual void SetTitle(const QString& Text) = 0;
    // The colour of both the title and the subtitle.
    virtual void SetHeaderFontColor(const QColor& Color) = 0;
    virtual void SetHeaderHidden(bool Hidden) = 0;
    virtual void SetHeaderColor(const QColor& Color) = 0;
    // Keeps Client as the current client (null for none).
    virtual void SetClient(IWizClient* Client) = 0;
    // Shows the current client.
    virtual void ShowClient() = 0;
};

// What the host asks of the client. {CB39A660-EBD0-45C3-8C3F-2204664C56A0}
class IWizClient {
public:
    virtual ~IWizClient() = default;
    virtual bool CanGoBack() = 0;
    virtual bool CanGoNext() = 0;
    virtual bool IsLastStep() = 0;
    // ModalResult 1 (Finish) or 2 (Cancel); CanClose set false keeps the wizard open.
    virtual void CloseQuery(bool& CanClose, int ModalResult) = 0;
    virtual void Next() = 0;
    virtual void Back() = 0;
    // Frees the client once the current event is handled.
    virtual void Release() = 0;
    // Shows the client and brings it to the front, when it has a host.
    virtual void Show() = 0;
};
