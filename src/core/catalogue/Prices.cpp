#include "core/catalogue/Prices.h"

#include "core/text/NumberFormat.h"

void Prices::recomputePriceFactor()
{
    m_priceFactor = ExtendedProduct(m_euroRate, m_euroIndex);
}
