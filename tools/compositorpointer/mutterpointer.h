#pragma once

#include "pointerdevice.h"

#include <QDBusInterface>

// The pointer of mutter's remote-desktop session. The session ends with the
// connection to the bus, so one object serves a whole test or tool run.
class MutterPointer : public PointerDevice
{
  public:
    MutterPointer();
    ~MutterPointer() override;

    bool isOpen() const override { return session != nullptr; }
    bool move(double dx, double dy) override;
    bool button(bool pressed) override;

  private:
    bool call(const char *method, const QVariantList &arguments = {});

    std::unique_ptr<QDBusInterface> session;
};
