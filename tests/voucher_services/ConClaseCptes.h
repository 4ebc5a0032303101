#pragma once

#include "BaseDemo.h"
#include "ClsCmnCptesServicios.h"

#include <memory>

// The demo database, connected, and a voucher class of its own for each test.
class ConClaseCptes : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        clase = std::make_unique<ClsCmnCptesServicios>();
    }
    void TearDown() override {
        clase.reset();
        ConBaseDemo::TearDown();
    }
    std::unique_ptr<ClsCmnCptesServicios> clase;
};
