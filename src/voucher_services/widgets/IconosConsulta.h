#pragma once

#include <QIcon>
#include <QString>

// The pictures of the voucher lookup's images, drawn here (16 x 16): a sheet of paper with a
// mark of its own for each tag. A tag without a picture of its own gets that of "Generico".
QIcon IconoConsulta(const QString& tag);
