-- vesk.mdb: every table of the game database. Column order is part of the save format for
-- the tables that the game fills with INSERT ... VALUES or reads with SELECT *.
-- Texts compare ignoring case; Booleans are 0/1; numbers INTEGER, fractions REAL.

-- Game state: the kingdom's one row.
CREATE TABLE home (
  Population INTEGER,
  [Money] INTEGER,
  Grain INTEGER,
  Meat INTEGER,
  Turn INTEGER,
  Itemresearch TEXT COLLATE NOCASE,
  Arearesearch TEXT COLLATE NOCASE,
  Construction INTEGER,
  TurnBuy BOOLEAN,
  TurnSell BOOLEAN,
  Recruitment INTEGER
);

-- Game state: one row per occupation.
CREATE TABLE people (
  Occupation TEXT COLLATE NOCASE,
  [Number] INTEGER,
  Affluence INTEGER,
  Education INTEGER,
  Trust INTEGER
);

-- Game state: the kingdom's buildings.
CREATE TABLE construction (
  ID INTEGER,
  Name TEXT COLLATE NOCASE,
  Area TEXT COLLATE NOCASE,
  Product TEXT COLLATE NOCASE,
  NofProduction INTEGER,
  StartWeek INTEGER,
  Work INTEGER,
  [Update] TEXT COLLATE NOCASE
);

-- Game state: knowledge and stock of each item.
CREATE TABLE itemdata (
  Name TEXT COLLATE NOCASE,
  Storage INTEGER,
  ItemLevel INTEGER,
  Research INTEGER,
  Open TEXT COLLATE NOCASE,
  DecreaseWeek INTEGER,
  Synthesis BOOLEAN
);

-- Game state: running trade agreements and their goods.
CREATE TABLE trade (
  Nation TEXT COLLATE NOCASE,
  Count INTEGER,
  StartWeek INTEGER
);

CREATE TABLE tradedata (
  Nation TEXT COLLATE NOCASE,
  Type TEXT COLLATE NOCASE,
  Item TEXT COLLATE NOCASE,
  Amount INTEGER
);

-- Game state: continuing weekly purchases and sales.
CREATE TABLE continueitem (
  ID INTEGER,
  Item TEXT COLLATE NOCASE,
  Type TEXT COLLATE NOCASE,
  Amount INTEGER,
  Count INTEGER
);

-- Game state: the armies on the march (and their battle state).
CREATE TABLE unit (
  ID INTEGER,
  UnitName TEXT COLLATE NOCASE,
  Distinction TEXT COLLATE NOCASE,
  RootName TEXT COLLATE NOCASE,        -- the nest marched on
  Position INTEGER,                    -- stages still to march
  Class TEXT COLLATE NOCASE,
  Education INTEGER,
  SoldierMax INTEGER,                  -- soldiers at the start
  [Number] INTEGER,                    -- soldiers fit to fight
  Arms TEXT COLLATE NOCASE,
  Protector TEXT COLLATE NOCASE,
  Accessory TEXT COLLATE NOCASE,
  Item1 TEXT COLLATE NOCASE,
  Item2 TEXT COLLATE NOCASE,
  Physical INTEGER,
  Tiredness INTEGER,
  Injury INTEGER,
  SeriousInjury INTEGER,
  Dead INTEGER,
  SubArms TEXT COLLATE NOCASE          -- arrows or horse
);

-- Catalogue: building kinds.
CREATE TABLE construct (
  Name TEXT COLLATE NOCASE,
  Type TEXT COLLATE NOCASE,
  Area TEXT COLLATE NOCASE,
  Land INTEGER,
  Price INTEGER,
  Men INTEGER,
  Work INTEGER,
  Occupation TEXT COLLATE NOCASE,
  Succession TEXT COLLATE NOCASE,
  Open BOOLEAN
);

-- Catalogue: areas and their state of exploration.
CREATE TABLE area (
  Name TEXT COLLATE NOCASE,
  Type TEXT COLLATE NOCASE,
  AreaLevel INTEGER,
  Research INTEGER,
  Development INTEGER,
  Tips TEXT COLLATE NOCASE,
  Open BOOLEAN
);

-- Catalogue: resources of the areas.
CREATE TABLE areaitem (
  Name TEXT COLLATE NOCASE,
  Area TEXT COLLATE NOCASE,
  Type TEXT COLLATE NOCASE,
  Level INTEGER,
  Open BOOLEAN
);

-- Catalogue: item kinds. TofFlag: the item may be offered in trade.
CREATE TABLE item (
  Name TEXT COLLATE NOCASE,
  Class TEXT COLLATE NOCASE,
  Category TEXT COLLATE NOCASE,
  Power INTEGER,
  Weight INTEGER,
  Effect TEXT COLLATE NOCASE,
  Tips TEXT COLLATE NOCASE,
  Price INTEGER,
  Value INTEGER,
  Production INTEGER,
  TofFlag BOOLEAN
);

-- Catalogue: recipes.
CREATE TABLE synthesisitem (
  Name TEXT COLLATE NOCASE,
  ItemName TEXT COLLATE NOCASE,
  ItemAmount INTEGER,
  ItemLevel INTEGER
);

-- Catalogue: crops and farm animals (a name may appear more than once).
CREATE TABLE grain (
  Name TEXT COLLATE NOCASE,
  Type TEXT COLLATE NOCASE,
  Cycle INTEGER,
  Growth INTEGER,
  Fallow INTEGER,
  Education INTEGER,
  Product TEXT COLLATE NOCASE,
  Coefficient REAL
);

CREATE TABLE animal (
  Name TEXT COLLATE NOCASE,
  Type TEXT COLLATE NOCASE,
  Cycle INTEGER,
  Growth INTEGER,
  Fallow INTEGER,
  Education INTEGER,
  Product TEXT COLLATE NOCASE,
  Coefficient REAL
);

-- Catalogue: monster nests. The battle reads 3 to 9 by position.
CREATE TABLE nest (
  Name TEXT COLLATE NOCASE,
  Coefficient REAL,
  Distance INTEGER,
  AM1 TEXT COLLATE NOCASE,             -- up to three monsters; '' none
  AM2 TEXT COLLATE NOCASE,
  AM3 TEXT COLLATE NOCASE,
  Soldier INTEGER,                     -- soldiers of each monster
  Extra1 INTEGER,                      -- battle set-up values no rule reads
  Extra2 INTEGER,
  BattleField TEXT COLLATE NOCASE,
  Times INTEGER,
  Treasure TEXT COLLATE NOCASE,
  Open BOOLEAN
);

-- Catalogue: monsters. The battle reads 1 to 10 by position.
CREATE TABLE monster (
  Name TEXT COLLATE NOCASE,
  Race TEXT COLLATE NOCASE,
  Class TEXT COLLATE NOCASE,
  Attack INTEGER,
  Defence INTEGER,
  Speed INTEGER,
  AttackEffect TEXT COLLATE NOCASE,
  DefenceEffect TEXT COLLATE NOCASE,
  ImageTable INTEGER,
  ImageRow INTEGER,
  ImageCol INTEGER
);

-- Catalogue: the nations. The trade screen reads them by position.
CREATE TABLE country (
  Nation TEXT COLLATE NOCASE,
  Acquaintance BOOLEAN,
  Distance INTEGER,
  Population INTEGER,
  Soldier INTEGER,
  Extra INTEGER,                       -- no rule reads it
  Trust INTEGER,
  Friendship INTEGER,
  Affluence INTEGER,
  Education INTEGER,
  Character TEXT COLLATE NOCASE,
  Ability TEXT COLLATE NOCASE,
  Mania TEXT COLLATE NOCASE,
  Tips TEXT COLLATE NOCASE
);

-- Catalogue: names of the friendship bands.
CREATE TABLE friendship (
  Name TEXT COLLATE NOCASE,
  Minimum INTEGER,
  Maximum INTEGER
);

-- Catalogue: a nation's interest in an item class.
CREATE TABLE tradecategory (
  Nation TEXT COLLATE NOCASE,
  Category TEXT COLLATE NOCASE,
  Coefficient REAL
);

-- Catalogue: what each nation offers.
CREATE TABLE tradeitem (
  Nation TEXT COLLATE NOCASE,
  Item TEXT COLLATE NOCASE,
  Price INTEGER,
  Friendship INTEGER
);

-- Catalogue: occupation names, stored word and Japanese word.
CREATE TABLE worker (
  OccupationE TEXT COLLATE NOCASE,
  OccupationJ TEXT COLLATE NOCASE
);

-- Catalogue: unit classes.
CREATE TABLE class (
  NameJ TEXT COLLATE NOCASE
);

-- Look-ups by name: the week joins these tables on Name many times.
CREATE INDEX construct_Name ON construct (Name);
CREATE INDEX construction_Name ON construction (Name);
CREATE INDEX area_Name ON area (Name);
CREATE INDEX item_Name ON item (Name);
CREATE INDEX itemdata_Name ON itemdata (Name);
