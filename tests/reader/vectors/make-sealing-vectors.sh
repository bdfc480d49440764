#!/usr/bin/env bash
# Makes the known-answer vectors of SealingTests.cpp with independent tools
# (md5sum, openssl, base64, iconv), so the tests never compare the reader's
# sealing code with itself. Run it and compare its output with the constants.
set -euo pipefail
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT; cd "$work"

# Key text: MD5 digest read as four little-endian words, each printed with "%8x".
keytext() {
  local d; d=$(printf '%s' "$1" | md5sum | cut -c1-32)
  local out="" i w
  for i in 0 8 16 24; do
    w="${d:i+6:2}${d:i+4:2}${d:i+2:2}${d:i:2}"
    out+=$(printf '%8x' $((16#$w)))
  done
  printf '%s' "$out"
}
keyhex() { printf '%s' "$(keytext "$1")" | od -An -tx1 | tr -d ' \n'; }
zero_iv=00000000000000000000000000000000

# Sealed stream: 1024-byte chunks, each AES-256-CBC from a zero vector with PKCS#7 pads.
sealbytes() {
  local f="$1" k; k=$(keyhex "$2")
  local size; size=$(stat -c %s "$f"); local off=0
  while [ $off -lt "$size" ]; do
    dd if="$f" bs=1024 skip=$((off / 1024)) count=1 status=none | openssl enc -aes-256-cbc -K "$k" -iv $zero_iv
    off=$((off + 1024))
  done
}
# Base64 in 76-character lines joined by CR LF; CR LF after the last line only when
# it is a full line of whole 3-byte units. Printed with \r\n escapes.
b64layout() {
  local tmp; tmp=$(mktemp); cat > "$tmp"; local n; n=$(stat -c %s "$tmp")
  local text; text=$(base64 -w76 < "$tmp" | sed 's/$/\\r\\n/' | tr -d '\n')
  if ! { [ $((n % 3)) -eq 0 ] && [ $(((n / 3) % 19)) -eq 0 ]; }; then text="${text%\\r\\n}"; fi
  printf '%s' "$text"; rm -f "$tmp"
}
hex() { od -An -tx1 | tr -d ' \n'; }
pattern() { python3 -c "import sys; sys.stdout.buffer.write(bytes((i*7+3)%256 for i in range($1)))"; }
letters() { python3 -c "import sys; sys.stdout.write(''.join(chr(65+i%26) for i in range($1)))"; }

echo "== key texts"
for p in KeyPhraseForSealingSecrets Phrase7 Phrase13 Phrase20; do echo "$p [$(keytext $p)]"; done

echo "== sealed texts"
for t in Secret1 Password "Kennwort ä€"; do
  printf '%s' "$t" | iconv -f UTF-8 -t UTF-16LE > clear.bin
  echo "$t: $(sealbytes clear.bin KeyPhraseForSealingSecrets | b64layout)"
done
printf '%s' Secret1 | iconv -f UTF-8 -t UTF-16LE > clear.bin
echo "Secret1 (Phrase7): $(sealbytes clear.bin Phrase7 | b64layout)"

echo "== chunking"
for n in 512 513; do
  letters $n | iconv -f UTF-8 -t UTF-16LE > clear.bin
  sealbytes clear.bin KeyPhraseForSealingSecrets > sealed.bin
  b64layout < sealed.bin > text.esc; printf "$(cat text.esc)" > text.bin
  echo "$n chars: sealed $(stat -c %s sealed.bin) bytes md5 $(md5sum < sealed.bin | cut -c1-32)" \
       "first $(head -c16 sealed.bin | hex) last $(tail -c16 sealed.bin | hex);" \
       "text $(stat -c %s text.bin) bytes md5 $(md5sum < text.bin | cut -c1-32)"
done

echo "== pad checks (one block, no pad added by openssl)"
k=$(keyhex KeyPhraseForSealingSecrets)
enc() { printf "$1" | openssl enc -aes-256-cbc -nopad -K "$k" -iv $zero_iv | hex; echo; }
echo "pad 0:   $(enc 'A\0B\0C\0D\0E\0F\0G\0\0\0')"
echo "pad 17:  $(enc 'A\0B\0C\0D\0E\0F\0G\0\0\021')"
echo "bad 3:   $(enc 'A\0B\0C\0D\0E\0F\0G\001\003\003')"
echo "good 3:  $(enc 'A\0B\0C\0D\0E\0F\0G\003\003\003')"
echo "good 16: $(enc '\020\020\020\020\020\020\020\020\020\020\020\020\020\020\020\020')"

echo "== AES-256 FIPS-197 C.3"
printf '00112233445566778899aabbccddeeff' | xxd -r -p \
  | openssl enc -aes-256-ecb -nopad -K 000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f | hex; echo

echo "== MD5"
for s in "" a abc "message digest" abcdefghijklmnopqrstuvwxyz; do echo "\"$s\" $(printf '%s' "$s" | md5sum | cut -c1-32)"; done
for n in 55 56 63 64 65 119 120; do echo "pattern $n $(pattern $n | md5sum | cut -c1-32)"; done
echo "a x 1000000 $(python3 -c "import sys; sys.stdout.buffer.write(b'a'*1000000)" | md5sum | cut -c1-32)"

echo "== Base64 layout of pattern bytes"
for n in 1 2 3 56 57 58 59 114 115; do echo "$n: \"$(pattern $n | b64layout)\""; done
