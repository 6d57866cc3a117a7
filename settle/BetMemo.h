#pragma once

#include <QByteArray>
#include <QString>

#include "common/MemoFormat.h"

// The memo file as text: UTF-16 when it begins with its byte-order mark;
// UTF-8 (with or without a byte-order mark) when the bytes are valid UTF-8,
// else CP932 when they decode as such, else the system's encoding.
QString DecodeMemoFile(const QByteArray& bytes);
