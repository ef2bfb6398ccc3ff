// rate-limiter.ts - a token bucket per client key.
export interface Clock {
  now(): number;
}

type Decision = { allowed: true } | { allowed: false; retryAfterMs: number };

interface Bucket {
  tokens: number;
  updatedAt: number;
}

const systemClock: Clock = { now: () => Date.now() };

/**
 * Allows `capacity` requests at once and refills `perSecond` tokens every second.
 */
export class RateLimiter<Key extends string | number = string> {
  private readonly buckets = new Map<Key, Bucket>();

  constructor(
    private readonly capacity: number,
    private readonly perSecond: number,
    private readonly clock: Clock = systemClock,
  ) {
    if (capacity <= 0 || perSecond <= 0) {
      throw new RangeError(`capacity and rate must be positive, got ${capacity}/${perSecond}`);
    }
  }

  take(key: Key, cost = 1): Decision {
    const now = this.clock.now();
    const bucket = this.buckets.get(key) ?? { tokens: this.capacity, updatedAt: now };
    const refill = ((now - bucket.updatedAt) / 1000) * this.perSecond;
    bucket.tokens = Math.min(this.capacity, bucket.tokens + refill);
    bucket.updatedAt = now;
    this.buckets.set(key, bucket);

    if (bucket.tokens >= cost) {
      bucket.tokens -= cost;
      return { allowed: true };
    }
    const missing = cost - bucket.tokens;
    return { allowed: false, retryAfterMs: Math.ceil((missing / this.perSecond) * 1000) };
  }

  get size(): number {
    return this.buckets.size;
  }
}

function isDenied(d: Decision): d is { allowed: false; retryAfterMs: number } {
  return !d.allowed;
}

const limiter = new RateLimiter<string>(3, 1);
for (const client of ["alice", "bob", "alice", "alice", "alice"] as const) {
  const decision = limiter.take(client);
  console.log(client, isDenied(decision) ? `wait ${decision.retryAfterMs} ms` : 'ok');
}
