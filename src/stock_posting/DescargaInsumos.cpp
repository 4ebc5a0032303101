// The production-input discharge of a stock posting: the components of the produced articles
// the voucher moves.

#include "ClsCmnCptes.h"
#include "PosteoStock.h"

bool DescargaInsumos(ClsCmnCptes& cls, Posteo& p) {
    (void)cls;
    (void)p;
    return true;
}
