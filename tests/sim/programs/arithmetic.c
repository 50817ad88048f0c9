// Integer arithmetic: signed and unsigned 32-bit, 64-bit, division towards zero, shifts.
// The expected output is what the same file prints when built natively.
#include <limits.h>
#include <stdint.h>
#include <stdio.h>

static int32_t gcd(int32_t a, int32_t b) {
  while (b != 0) {
    int32_t t = a % b;
    a = b;
    b = t;
  }
  return a;
}

int main(void) {
  volatile int32_t a = 1234567;
  volatile int32_t b = -89;
  printf("add %d sub %d mul %d\n", a + b, a - b, a * b);
  printf("div %d mod %d\n", a / b, a % b);
  printf("neg div %d mod %d\n", -a / 89, -a % 89);
  volatile uint32_t u = 0xFFFFFFFFu;
  printf("wrap %u %u %u\n", u + 1u, u * u, u / 7u);
  printf("shifts %x %x %d\n", 1u << 31, 0x80000000u >> 31, (int32_t)(u << 4) >> 2);
  // 64-bit results go through volatile variables of their own type: FlexSpin 7.7 keeps a
  // stale high long when a 64-bit expression is itself a printf argument or is cast between
  // signed and unsigned.
  volatile int64_t big = (int64_t)a * 1000003;
  volatile int64_t square = big * big;
  volatile int64_t quotient = big / -7;
  volatile int64_t remainder = big % -7;
  printf("64-bit %lld %llx %lld %lld\n", (long long)big, (unsigned long long)square,
         (long long)quotient, (long long)remainder);
  printf("gcd %d\n", gcd(1071, 462));
  uint32_t f0 = 0;
  uint32_t f1 = 1;
  for (int i = 0; i < 40; i++) {
    uint32_t t = f0 + f1;
    f0 = f1;
    f1 = t;
  }
  printf("fib40 %u\n", f0);
  printf("limits %d %d %u\n", INT_MAX, INT_MIN, UINT_MAX);
  int count = 0;
  for (int n = 2; n < 2000; n++) {
    int prime = 1;
    for (int d = 2; d * d <= n; d++)
      if (n % d == 0) {
        prime = 0;
        break;
      }
    count += prime;
  }
  printf("primes below 2000: %d\n", count);
  return 0;
}
