#pragma once

// The main window's own state that its helper windows read and change: the program-wide
// updating flag (set while controls are changed by the program, so change handlers stay
// quiet) and the video encoder "default settings" choose (0 Xvid, 1 H.264).
class IWindowState {
public:
    virtual bool Updating() const = 0;
    virtual void SetUpdating(bool on) = 0;
    virtual int DefaultVideoCodec() const = 0;
    virtual void SetDefaultVideoCodec(int codec) = 0;

protected:
    ~IWindowState() = default;
};
