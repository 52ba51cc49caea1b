-- The least catalogue a new game needs: the starting buildings, areas, items, crops and animals.
INSERT INTO construct VALUES('みすぼらしい王宮','王宮','王宮',1,0,0,100,'','',0);
INSERT INTO construct VALUES('小さな住宅地','住宅地','市街',1,100,150,40,'','',0);
INSERT INTO construct VALUES('小さな畑','畑','平原',1,50,50,30,'Producer','',0);
INSERT INTO construct VALUES('小さな牧場','牧場','平原',1,60,20,30,'Producer','',0);
INSERT INTO construct VALUES('小さな工房','工房','市街',1,80,10,30,'Engineer','',0);
INSERT INTO construct VALUES('小規模商店街','商店','市街',1,80,10,30,'Merchant','',0);
INSERT INTO construct VALUES('ボロボロの兵舎','兵舎','市街',1,80,20,30,'Soldier','',0);
INSERT INTO construct VALUES('頼りない建設場','建設場','市街',1,50,10,20,'Constructor','',0);

INSERT INTO area VALUES('王宮','王宮',0,0,0,'王の住まい',0);
INSERT INTO area VALUES('中央市街','市街',0,0,0,'王都の中心',0);
INSERT INTO area VALUES('リュシーレ平原','平原',0,0,0,'王都の外に広がる平原',0);

INSERT INTO item VALUES('木弓','武器','弓',3,2,'','木を削った弓',20,1,1,1);
INSERT INTO item VALUES('布の服','防具','軽鎧',1,1,'','布で仕立てた服',15,1,1,1);
INSERT INTO item VALUES('木刀','武器','剣',3,2,'','木を削った刀',15,1,1,1);
INSERT INTO item VALUES('木の槍','武器','槍',4,3,'','木の柄に木の穂先',18,1,1,1);
INSERT INTO item VALUES('布','素材','布',0,1,'','服の材料',5,1,1,1);
INSERT INTO item VALUES('羊毛','素材','毛',0,1,'','羊から刈った毛',6,1,0,1);
INSERT INTO item VALUES('木の矢','武器','矢',1,1,'','木の矢',2,1,2,1);
INSERT INTO item VALUES('貧しい麦','穀物','麦',0,1,'','やせた土地でも育つ麦',3,1,0,0);
INSERT INTO item VALUES('貧弱羊','動物','羊',0,5,'','小さな羊',20,1,0,0);
INSERT INTO item VALUES('木材','素材','木',0,2,'','建物や道具の材料',4,1,1,1);
INSERT INTO item VALUES('羊肉','食料','肉',0,1,'','羊の肉',5,1,0,1);
INSERT INTO item VALUES('小麦','食料','穀物',0,1,'','麦の実',3,1,0,1);

INSERT INTO grain VALUES('貧しい麦','畑',8,4,4,0,'小麦',60);
INSERT INTO animal VALUES('貧弱羊','牧場',6,3,3,0,'羊肉',40);
INSERT INTO animal VALUES('貧弱羊','牧場',6,3,3,0,'羊毛',30);

INSERT INTO worker VALUES('Producer','生産者');
INSERT INTO worker VALUES('Merchant','商人');
INSERT INTO worker VALUES('Engineer','技術者');
INSERT INTO worker VALUES('Constructor','建設者');
INSERT INTO worker VALUES('Soldier','兵士');

INSERT INTO class VALUES('セイバー');
INSERT INTO class VALUES('ランサー');
INSERT INTO class VALUES('ライダー');
INSERT INTO class VALUES('アーチャー');
