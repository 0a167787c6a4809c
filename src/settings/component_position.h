// TComponentPosition: the stored bounds of a window (Left, Top, Height, Width, in pixels).
#pragma once

#include "settings/component_streamer.h"

class TComponentPosition : public TCustomComponentStreamer {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
public:
    // No storage; nothing is loaded.
    explicit TComponentPosition(TComponent* AOwner = nullptr);
    // Kept under a registry key (skRegistry) or in a file (skFile), and loaded at once.
    TComponentPosition(TComponent* AOwner, TStorageKind Kind, const QString& Name);
    // Saves (with autosave on).
    ~TComponentPosition() override;

    int Left() const { return left_; }
    void SetLeft(int Value) { left_ = Value; }
    int Top() const { return top_; }
    void SetTop(int Value) { top_ = Value; }
    int Height() const { return height_; }
    void SetHeight(int Value) { height_ = Value; }
    int Width() const { return width_; }
    void SetWidth(int Value) { width_ = Value; }

    // Copies the four bounds from another TComponentPosition; any other source (or none) raises
    // EConvertError "Cannot assign a <source class> to a <this class>".
    virtual void Assign(const TObject* Source);
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

protected:
    // For descendants with stored properties of their own: the storage is set up but nothing is
    // loaded; the descendant's constructor calls Load once its own members exist.
    struct TDeferLoad {};
    TComponentPosition(TComponent* AOwner, TStorageKind Kind, const QString& Name, TDeferLoad);

private:
    int left_ = 0;
    int top_ = 0;
    int height_ = 0;
    int width_ = 0;
};
