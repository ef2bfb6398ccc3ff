# frozen_string_literal: true

require 'json'
require_relative 'lib/money'

# A shopping cart that applies simple discount rules.
module Shop
  class Cart
    include Enumerable

    Line = Struct.new(:sku, :name, :price_cents, :qty) do
      def total = price_cents * qty
    end

    attr_reader :lines

    def initialize(rules = [])
      @lines = []
      @rules = rules
    end

    def add(sku, name, price_cents, qty: 1)
      raise ArgumentError, "qty must be positive, got #{qty}" unless qty.positive?

      existing = @lines.find { |l| l.sku == sku }
      if existing
        existing.qty += qty
      else
        @lines << Line.new(sku, name, price_cents, qty)
      end
      self
    end

    def each(&block)
      @lines.each(&block)
    end

    def subtotal
      sum(&:total)
    end

    def discount
      @rules.sum { |rule| rule.call(self) }
    end

    def total
      [subtotal - discount, 0].max
    end

    def to_json(*args)
      { lines: @lines.map(&:to_h), total: total }.to_json(*args)
    end
  end
end

# Three for two on socks.
socks_rule = lambda do |cart|
  line = cart.find { |l| l.sku == 'SOCK' }
  line.nil? ? 0 : (line.qty / 3) * line.price_cents
end

cart = Shop::Cart.new([socks_rule])
cart.add('SOCK', "Wool socks", 450, qty: 3)
    .add('HAT', 'Bob\'s hat', 1_999)
puts "Total: #{Money.format(cart.total)}" if cart.any?
puts cart.to_json
