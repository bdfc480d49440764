// Sealed values of the settings XML (the book password above all): the UTF-16LE
// bytes of a text, enciphered with AES-256-CBC under a key made from a pass phrase
// by MD5, in chunks of 1024 clear bytes, then written as Base64 text.
#pragma once
#include <windows.h>
#include <objidl.h>
#include "platform/framework/Strings.h"

// The pass phrase with which the book-building tool seals settings values.
extern const char g_szSealingPassPhrase[];

enum { SealClearChunk = 1024, SealSealedChunk = 1040 };

// The 32-character AES key text of a pass phrase: the MD5 digest read as four
// little-endian 32-bit words, each written with "%8x" (space-filled, lower case).
CStringA MakeKeyText(const char* passPhrase);

// Replace the whole content of a stream by its sealed or unsealed form; the stream
// is left rewound. FALSE for an empty stream or any cipher error.
BOOL SealStream(const char* passPhrase, IStream* stream);
BOOL UnsealStream(const char* passPhrase, IStream* stream);

// An empty text gives an empty result and TRUE. UnsealText leaves `clear`
// untouched when the text does not decode or unseal.
BOOL SealText(const CString& clear, const char* passPhrase, CString& sealed);
BOOL UnsealText(const CString& sealed, const char* passPhrase, CString& clear);

// Unseals a settings value with the book's pass phrase. A null or empty value
// gives the empty string. A value that is present but does not unseal gives a
// text no one can type (a non-character followed by random digits): a damaged
// password must lock the book, not open it.
CString UnsealSetting(LPCWSTR sealed);

// TRUE when `value` is the placeholder UnsealSetting returns for a value that
// failed to unseal.
BOOL IsUnusableSealedValue(const CString& value);
